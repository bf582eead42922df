#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// The numbers that name keys in layout files, in the store and on the wire.
namespace KeyCode {
constexpr int None = 0;
constexpr int FirstHidUsage = 4;
constexpr int LastHidUsage = 231;
constexpr int Fn = 175;            // the keyboard's Fn key, not the HID meaning of 175
constexpr int FirstMedia = 232;
constexpr int LastMedia = 249;
constexpr int Fixed = 255;         // a layout key that cannot be given another function
} // namespace KeyCode

// Virtual key 254 stands for the Fn key, which has no virtual key of its own.
constexpr int FnVirtualKey = 254;

// The key code of a captured or recorded virtual key; 0 for one that has none.
int KeyCodeFromVirtualKey(int virtual_key);

// The title of a layout key in the custom key dialog; empty for codes without a name.
tarn::CString KeyCodeName(int key_code);

} // namespace corvane
