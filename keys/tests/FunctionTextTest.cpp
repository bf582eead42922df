#include "FakeTexts.h"
#include "keys/FunctionTables.h"
#include "device/Shortcuts.h"
#include "keys/FunctionText.h"
#include "keys/FunctionType.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

TEST(FunctionText, Captions)
{
    const std::pair<int, std::optional<int>> cases[] = {
        {0, std::nullopt}, {1, 202}, {2, 205}, {3, 206}, {4, std::nullopt}, {5, 207}, {6, 208},
        {7, 209}, {8, 210}, {9, 211}, {10, 212}, {11, std::nullopt}, {12, 205}, {13, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& [type, caption] : cases)
        EXPECT_EQ(FunctionCaption(type), caption) << "type " << type;
}

TEST(FunctionText, MacroWordFollowsTheInterfaceLanguage)
{
    struct Case {
        int language;
        const wchar_t* name;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {UiTexts::Turkish, L"Macro 3", L"T331 3"},
        {UiTexts::English, L"Makro 12", L"T331 12"},
        {UiTexts::English, L"Makroskop", L"T331skop"},  // any word with the same five letters
        {UiTexts::Turkish, L"Macro", L"T331"},
        {UiTexts::English, L"Macro 3", L"Macro 3"},     // already the language's own word
        {UiTexts::Turkish, L"Makro 3", L"Makro 3"},
        {UiTexts::English, L"makro 3", L"makro 3"},     // the case matters
        {UiTexts::English, L"Makr", L"Makr"},
        {UiTexts::English, L" Makro", L" Makro"},
        {1031, L"Makro 3", L"Makro 3"},                 // other languages are left alone
        {1031, L"Macro 3", L"Macro 3"},
        {UiTexts::English, L"", L""},
    };
    for (const Case& c : cases) {
        const FakeTexts texts(c.language);
        EXPECT_EQ(FunctionDescription(texts, FunctionType::Macro, 4, c.name), tarn::CString(c.shown))
            << c.language << " " << tarn::CString(c.name).ToUtf8();
    }
    // Only macros are renamed.
    EXPECT_EQ(FunctionDescription(FakeTexts(UiTexts::English), FunctionType::Program, 4, L"Makro"), L"Makro");
}

TEST(FunctionText, Descriptions)
{
    const FakeTexts texts;
    struct Case {
        int type;
        int value;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {FunctionType::Disabled, 1, L""},
        {FunctionType::Remap, 4, L"desc"},
        {FunctionType::Mouse, 1, L"T220"}, {FunctionType::Mouse, 2, L"T222"}, {FunctionType::Mouse, 3, L"T223"},
        {FunctionType::Mouse, 7, L"T227"}, {FunctionType::Mouse, 8, L"T228"},
        {FunctionType::Mouse, 4, L"desc"}, {FunctionType::Mouse, 0, L"desc"},
        {FunctionType::Shortcut, 1, L"T701"}, {FunctionType::Shortcut, 15, L"T715"},
        {FunctionType::Shortcut, 0, L"desc"}, {FunctionType::Shortcut, 16, L"desc"},
        {FunctionType::Multimedia, 2, L"desc"},
        {FunctionType::Program, 7, L"desc"}, {FunctionType::SwitchProfile, 7, L"desc"},
        {FunctionType::PickerCode, 500, L"desc"}, {42, 1, L"desc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FunctionDescription(texts, c.type, c.value, L"desc"), tarn::CString(c.shown))
            << "type " << c.type << " value " << c.value;
}

std::vector<int> Keys(int number)
{
    const auto usages = ShortcutUsages(number);
    return std::vector<int>(usages.begin(), usages.end());
}

TEST(FunctionTables, ShortcutsAndMouseButtons)
{
    for (int number = 1; number <= ShortcutCount; ++number)
        EXPECT_FALSE(Keys(number).empty()) << number;
    EXPECT_THAT(Keys(1), ElementsAre(0xE0, 0x04));
    EXPECT_THAT(Keys(7), ElementsAre(0xE3, 0x08));
    EXPECT_THAT(Keys(10), ElementsAre(0xE2, 0x2B));
    EXPECT_THAT(Keys(13), ElementsAre(0xE2, 0x2C, 0x1B));
    EXPECT_THAT(Keys(14), ElementsAre(0xE2, 0x2C, 0x11));
    EXPECT_THAT(Keys(15), ElementsAre(0xE2, 0x3D));
    EXPECT_TRUE(Keys(0).empty());
    EXPECT_TRUE(Keys(16).empty());

    // Middle and right are swapped between the values and the report bits.
    std::vector<std::pair<int, int>> bits;
    for (const MouseFunction& mouse : FunctionTables::Mouse())
        bits.emplace_back(mouse.value, mouse.report_bit);
    EXPECT_THAT(bits, ElementsAre(std::pair{1, 0}, std::pair{2, 2}, std::pair{3, 1}, std::pair{7, 4}, std::pair{8, 3}));
    EXPECT_EQ(FunctionTables::FindMouse(4), nullptr);
    EXPECT_EQ(FunctionTables::FindMedia(231), nullptr);
    EXPECT_EQ(FunctionTables::FindMedia(249)->picker_text, 252);
}

} // namespace
