#include "keys/FunctionText.h"

#include "device/Shortcuts.h"
#include "keys/FunctionTables.h"
#include "keys/FunctionType.h"

namespace corvane {

namespace {

constexpr int MacroWordText = 331;

// Macro names made under the other interface language start with that language's word; they
// are shown with the current language's word instead.
tarn::CString TranslateMacroWord(const UiTexts& texts, const tarn::CString& desc)
{
    const int language = texts.Language();
    const wchar_t* other = language == UiTexts::Turkish   ? L"Macro"
                           : language == UiTexts::English ? L"Makro"
                                                          : nullptr;
    if (!other || desc.Left(5) != tarn::CString(other))
        return desc;
    return tarn::CString::Formatted(L"%s%s", texts.Text(MacroWordText).view(), desc.Mid(5).view());
}

} // namespace

std::optional<int> FunctionCaption(int macro_type)
{
    switch (macro_type) {
    case FunctionType::Disabled: return 202;
    case FunctionType::Remap: return 205;
    case FunctionType::Macro: return 206;
    case FunctionType::Mouse: return 207;
    case FunctionType::Multimedia: return 208;
    case FunctionType::Shortcut: return 209;
    case FunctionType::Program: return 210;
    case FunctionType::WebPage: return 211;
    case FunctionType::PasteText: return 212;
    case FunctionType::PickerCode: return 205;
    default: return std::nullopt;
    }
}

tarn::CString FunctionDescription(const UiTexts& texts, int macro_type, int macro_value,
                                  const tarn::CString& macro_desc)
{
    switch (macro_type) {
    case FunctionType::Disabled:
        return {};
    case FunctionType::Macro:
        return TranslateMacroWord(texts, macro_desc);
    case FunctionType::Mouse:
        if (const MouseFunction* mouse = FunctionTables::FindMouse(macro_value))
            return texts.Text(mouse->caption_text);
        return macro_desc;
    case FunctionType::Shortcut:
        // A number from a file outside 1 .. 15 would name an unrelated text.
        if (!ShortcutUsages(macro_value).empty())
            return texts.Text(ShortcutCaption(macro_value));
        return macro_desc;
    default:
        return macro_desc;
    }
}

} // namespace corvane
