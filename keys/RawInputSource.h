#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

// One raw-input event as the desktop delivers it.
struct RawInputEvent {
    int kind = 0;          // 1 mouse, 2 keyboard, 3 other
    int virtual_key = 0;   // keyboard events only
    int message = 0;       // the key message: 256 / 260 press, 257 / 261 release
};

// The desktop's raw-input reader; an event is named by the handle its notice carried.
class RawInputSource {
public:
    virtual ~RawInputSource() = default;
    // Nothing when the handle is stale or the read fails.
    virtual std::optional<RawInputEvent> Read(uintptr_t handle) = 0;
};

} // namespace corvane
