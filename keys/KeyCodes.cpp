#include "keys/KeyCodes.h"

#include "keys/KeyTable.h"

#include <utility>

namespace corvane {

int KeyCodeFromVirtualKey(int virtual_key)
{
    if (virtual_key == FnVirtualKey)
        return KeyCode::Fn;
    const KeyRow* row = KeyTable::FromVirtualKey(virtual_key);
    return row ? row->key_code : KeyCode::None;
}

tarn::CString KeyCodeName(int key_code)
{
    if (key_code >= 4 && key_code <= 29)
        return tarn::CString(std::wstring(1, static_cast<wchar_t>(L'A' + (key_code - 4))));
    // The digit row and the keypad digits share their names.
    if ((key_code >= 30 && key_code <= 38) || (key_code >= 89 && key_code <= 97)) {
        const int digit = key_code <= 38 ? key_code - 29 : key_code - 88;
        return tarn::CString(std::wstring(1, static_cast<wchar_t>(L'0' + digit)));
    }
    if (key_code == 39 || key_code == 98)
        return L"0";
    if (key_code >= 58 && key_code <= 69)
        return tarn::CString::Formatted(L"F%d", key_code - 57);

    static constexpr std::pair<int, const wchar_t*> Names[] = {
        {40, L"ENTER"}, {41, L"ESC"}, {42, L"backspace"}, {43, L"TAB"}, {44, L"SPACE"},
        {45, L"-_"}, {46, L"+="}, {47, L"[{"}, {48, L"]}"}, {49, L"\\"},
        {51, L";:"}, {52, L"'"}, {53, L"~`"}, {54, L"<,"}, {55, L">."}, {56, L"/?"},
        {57, L"CAPS"}, {70, L"PRTSC"}, {71, L"SCRLK"}, {72, L"PASE"}, {73, L"INS"},
        {74, L"HOME"}, {75, L"PG UP"}, {76, L"DEL"}, {77, L"END"}, {78, L"PG DN"},
        {79, L"RIGHT"}, {80, L"LEFT"}, {81, L"DOWN"}, {82, L"UP"}, {83, L"NumLock"},
        {84, L"/"}, {85, L"*"}, {86, L"-"}, {87, L"+"}, {88, L"Enter"}, {99, L"."},
        {101, L"MENU"}, {175, L"FN"}, {224, L"CTRL"}, {225, L"SHIFT"}, {226, L"ALT"},
        {227, L"WIN"}, {228, L"RCTRL"}, {229, L"RSHIFT"}, {230, L"RALT"},
    };
    for (const auto& [code, name] : Names) {
        if (code == key_code)
            return name;
    }
    return {};
}

} // namespace corvane
