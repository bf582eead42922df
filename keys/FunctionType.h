#pragma once

namespace corvane {

// The categories of a key-assignment row's `macro_type`.
namespace FunctionType {
constexpr int Default = 0;      // same as no row
constexpr int Disabled = 1;
constexpr int Remap = 2;        // another key or a media function
constexpr int Macro = 3;
constexpr int Mouse = 5;
constexpr int Multimedia = 6;   // values 1 .. 7; shown only, nothing acts on it
constexpr int Shortcut = 7;
constexpr int Program = 8;
constexpr int WebPage = 9;
constexpr int PasteText = 10;
constexpr int SwitchProfile = 11;
constexpr int PickerCode = 12;  // a picker entry of code 500 or more

// The categories whose value is the id of an other-data row.
constexpr bool UsesOtherData(int type) { return type >= Program && type <= SwitchProfile; }
} // namespace FunctionType

} // namespace corvane
