#include "keys/KeyCodes.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <string>

using namespace corvane;

namespace {

TEST(KeyCodes, FromVirtualKey)
{
    const std::pair<int, int> cases[] = {
        {65, 4}, {90, 29}, {49, 30}, {57, 38}, {48, 39},
        {13, 40}, {27, 41}, {8, 42}, {9, 43}, {32, 44},
        {189, 45}, {187, 46}, {219, 47}, {221, 48}, {220, 49}, {666, 50},
        {186, 51}, {222, 52}, {192, 53}, {188, 54}, {190, 55}, {191, 56}, {20, 57},
        {112, 58}, {123, 69}, {124, 104}, {135, 115},
        {44, 70}, {145, 71}, {19, 72}, {45, 73}, {36, 74}, {33, 75}, {46, 76}, {35, 77}, {34, 78},
        {39, 79}, {37, 80}, {40, 81}, {38, 82},
        {144, 83}, {111, 84}, {106, 85}, {109, 86}, {107, 87}, {108, 88},
        {97, 89}, {105, 97}, {96, 98}, {110, 99},
        {162, 224}, {160, 225}, {164, 226}, {91, 227}, {163, 228}, {161, 229}, {165, 230}, {92, 231},
        {93, 101}, {226, 100}, {254, 175},
        {136, 136}, {137, 137}, {138, 138}, {139, 139},
        {181, 232}, {174, 233}, {175, 234}, {173, 235}, {178, 236}, {177, 237}, {179, 238},
        {176, 239}, {180, 240}, {172, 241}, {183, 242}, {166, 243}, {167, 244}, {169, 245},
        {168, 246}, {170, 247}, {171, 248}, {182, 249},
        // Not listed: nothing.
        {0, 0}, {255, 0}, {16, 0}, {17, 0}, {18, 0}, {1, 0}, {140, 0}, {-1, 0}, {100000, 0},
    };
    for (const auto& [virtual_key, key_code] : cases)
        EXPECT_EQ(KeyCodeFromVirtualKey(virtual_key), key_code) << "VK " << virtual_key;

    // Every other virtual key gives 0: the listed ones are the table's 140 and Fn.
    int mapped = 0;
    for (int vk = -10; vk <= 1000; ++vk)
        mapped += KeyCodeFromVirtualKey(vk) != 0 ? 1 : 0;
    EXPECT_EQ(mapped, 141);
}

TEST(KeyCodes, Names)
{
    const std::pair<int, const wchar_t*> cases[] = {
        {4, L"A"}, {29, L"Z"}, {30, L"1"}, {38, L"9"}, {39, L"0"}, {89, L"1"}, {97, L"9"}, {98, L"0"},
        {40, L"ENTER"}, {41, L"ESC"}, {42, L"backspace"}, {43, L"TAB"}, {44, L"SPACE"},
        {45, L"-_"}, {46, L"+="}, {47, L"[{"}, {48, L"]}"}, {49, L"\\"}, {51, L";:"}, {52, L"'"},
        {53, L"~`"}, {54, L"<,"}, {55, L">."}, {56, L"/?"}, {57, L"CAPS"},
        {58, L"F1"}, {67, L"F10"}, {69, L"F12"},
        {70, L"PRTSC"}, {71, L"SCRLK"}, {72, L"PASE"}, {73, L"INS"}, {74, L"HOME"}, {75, L"PG UP"},
        {76, L"DEL"}, {77, L"END"}, {78, L"PG DN"}, {79, L"RIGHT"}, {80, L"LEFT"}, {81, L"DOWN"},
        {82, L"UP"}, {83, L"NumLock"}, {84, L"/"}, {85, L"*"}, {86, L"-"}, {87, L"+"}, {88, L"Enter"},
        {99, L"."}, {101, L"MENU"}, {175, L"FN"},
        {224, L"CTRL"}, {225, L"SHIFT"}, {226, L"ALT"}, {227, L"WIN"}, {228, L"RCTRL"},
        {229, L"RSHIFT"}, {230, L"RALT"},
        // Unnamed codes, right GUI among them.
        {231, L""}, {0, L""}, {3, L""}, {50, L""}, {100, L""}, {104, L""}, {232, L""}, {255, L""}, {-4, L""},
    };
    for (const auto& [key_code, name] : cases)
        EXPECT_EQ(KeyCodeName(key_code), tarn::CString(name)) << "code " << key_code;
}

} // namespace
