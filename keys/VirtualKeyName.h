#pragma once

#include "keys/KeyNameProvider.h"
#include "tarnui/platform/CString.h"

namespace corvane {

struct NamedKey {
    tarn::CString name;
    int virtual_key = 0;
};

// Shift, Ctrl and Alt without a side (16, 17, 18) as their left keys (160, 162, 164).
int SidedModifier(int virtual_key);

// The desktop's name of a virtual key: its scan code, with the E0 bit for the navigation
// block (33 .. 46 without 41 .. 44), named by the layout.
tarn::CString SystemKeyName(const KeyNameProvider& names, int virtual_key);

// The name this program gives a few keys whatever the layout says; nullptr for the others.
const wchar_t* FixedKeyName(int virtual_key);

// The name of a recorded key and the key as it is stored (modifiers with their side).
NamedKey VirtualKeyName(const KeyNameProvider& names, int virtual_key);

} // namespace corvane
