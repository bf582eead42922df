#include "platform/SystemClock.h"

#include <thread>

namespace corvane {

Clock::Millis SystemClock::Now()
{
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

void SystemClock::SleepUntil(Millis deadline)
{
    const Millis left = deadline - Now();
    if (left.count() > 0)
        std::this_thread::sleep_for(left);
}

bool SystemClock::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                          const std::function<bool()>& ready)
{
    return cv.wait_for(lock, timeout, ready);
}

} // namespace corvane
