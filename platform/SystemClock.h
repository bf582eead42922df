#pragma once

#include "platform/Clock.h"

namespace corvane {

// The steady clock of the machine and real sleeps.
class SystemClock : public Clock {
public:
    Millis Now() override;
    void SleepUntil(Millis deadline) override;
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                 const std::function<bool()>& ready) override;
};

} // namespace corvane
