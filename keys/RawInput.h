#pragma once

#include "keys/KeyNameProvider.h"
#include "keys/RawInputSource.h"
#include "tarnui/platform/CString.h"

#include <cstdint>

namespace corvane {

// One raw-input event for the macro page: kind 2 is a key, with its name and release flag.
struct RawInputKey {
    int kind = 0;          // 0 when nothing could be read
    tarn::CString name;
    int virtual_key = 0;
    bool released = false;
};

// Reads the event behind `handle`. The key is named as the desktop names the reported code;
// generic Shift, Ctrl and Alt become their left keys, and the fixed names replace the
// desktop's. No keypad correction is made: raw input already tells the keypad apart.
RawInputKey ReadRawInput(RawInputSource& source, const KeyNameProvider& names, uintptr_t handle);

} // namespace corvane
