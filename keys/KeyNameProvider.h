#pragma once

#include "tarnui/platform/CString.h"

#include <cstdint>

namespace corvane {

// What the desktop knows about keys under the current keyboard layout.
class KeyNameProvider {
public:
    virtual ~KeyNameProvider() = default;
    // The set-1 scan code of a virtual key, 0 when the layout has no such key.
    virtual int ScanCode(int virtual_key) const = 0;
    // The name of a key given as (scan code << 16), bit 24 set for an E0 key; empty if none.
    virtual tarn::CString ScanCodeName(int32_t key_param) const = 0;
};

} // namespace corvane
