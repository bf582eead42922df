#pragma once

#include "tarnui/platform/Export.h"

#include <cstdint>

namespace tarn {

// The one time source of the window layer: tick counts, timers, double-click and hover timing,
// and Sleep all read it, so tests run on virtual time and never wait.
class TARN_API Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale.
    virtual uint64_t NowMs() const = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // A virtual clock only moves when told to, so the loop must not wait for it.
    virtual bool IsVirtual() const { return false; }

    // The clock in use (the monotonic system clock unless one was installed).
    static Clock& Current();
    // Installs a clock (null restores the system clock) and answers the previous one, or null
    // when that was the system clock. The caller keeps ownership.
    static Clock* Install(Clock* clock);
};

} // namespace tarn
