#pragma once

#include "platform/Clock.h"

#include <atomic>

namespace corvane {

// Time that moves only when someone sleeps or a test advances it, so protocol pauses are
// measured, never waited for.
class VirtualClock : public Clock {
public:
    Millis Now() override { return Millis(m_now.load()); }
    void SleepUntil(Millis deadline) override;
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                 const std::function<bool()>& ready) override;
    void Advance(Millis by) { m_now += by.count(); }

private:
    std::atomic<Millis::rep> m_now{0};
};

} // namespace corvane
