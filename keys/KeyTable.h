#pragma once

#include "keys/KeyTableRows.h"

namespace corvane {

// Lookups in the generated key table. Each answers the first matching row, or nullptr.
class KeyTable {
public:
    static const KeyRow* FromVirtualKey(int virtual_key);
    // Input codes shared by two rows (backslash, for VKs 220 and 666) answer the first: 220.
    static const KeyRow* FromInputCode(int input_code);
    static const KeyRow* FromKeyCode(int key_code);
    // The X keycode of a key in X's evdev keycode set: the input code + 8.
    static constexpr int XKeycodeOfInputCode(int input_code) { return input_code + 8; }
};

} // namespace corvane
