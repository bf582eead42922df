#include "emulator/VirtualClock.h"

namespace corvane {

void VirtualClock::SleepUntil(Millis deadline)
{
    Millis::rep now = m_now.load();
    while (now < deadline.count() && !m_now.compare_exchange_weak(now, deadline.count())) {
    }
}

bool VirtualClock::WaitFor(std::condition_variable&, std::unique_lock<std::mutex>&, Millis timeout,
                           const std::function<bool()>& ready)
{
    if (ready())
        return true;
    Advance(timeout);
    return ready();
}

} // namespace corvane
