#include "tools/corvanectl/RequestedPauses.h"

namespace corvane::ctl {

void RequestedPauses::SleepUntil(Millis deadline)
{
    const Millis ahead = deadline - m_inner.Now();
    if (ahead.count() > 0)
        m_total += ahead.count();
    m_inner.SleepUntil(deadline);
}

bool RequestedPauses::WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                              const std::function<bool()>& ready)
{
    return m_inner.WaitFor(cv, lock, timeout, ready);
}

} // namespace corvane::ctl
