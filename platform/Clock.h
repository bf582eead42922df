#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace corvane {

// Every clock read and pause goes through here, so tests run time instead of waiting for it.
class Clock {
public:
    using Millis = std::chrono::milliseconds;

    virtual ~Clock() = default;

    // Monotonic time since an arbitrary start.
    virtual Millis Now() = 0;
    virtual void SleepUntil(Millis deadline) = 0;
    virtual void Sleep(Millis duration) { SleepUntil(Now() + duration); }
    // Waits until ready() holds or the timeout has passed, with lock held around each check;
    // answers ready().
    virtual bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                         const std::function<bool()>& ready) = 0;

    // A 32-bit millisecond counter that wraps, for start ticks and elapsed-time sums.
    uint32_t TickCount() { return static_cast<uint32_t>(Now().count()); }
};

} // namespace corvane
