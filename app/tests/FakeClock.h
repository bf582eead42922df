#pragma once

#include "platform/Clock.h"

#include <thread>
#include <vector>

namespace corvane::test {

// Virtual time: sleeps return at once and move the time on; a timed wait that is not satisfied
// at once times out at once. Everything asked for is kept for the test to check.
class FakeClock : public Clock {
public:
    Millis Now() override
    {
        std::lock_guard lock(m_mutex);
        return m_now;
    }
    void SleepUntil(Millis deadline) override
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_deadlines.size() < 4096)
                m_deadlines.push_back(deadline);
            if (deadline > m_now)
                m_now = deadline;
        }
        std::this_thread::yield();
    }
    void Sleep(Millis duration) override
    {
        std::lock_guard lock(m_mutex);
        m_pauses.push_back(duration);
        m_now += duration;
    }
    bool WaitFor(std::condition_variable&, std::unique_lock<std::mutex>&, Millis timeout,
                 const std::function<bool()>& ready) override
    {
        if (ready())
            return true;
        std::lock_guard lock(m_mutex);
        m_timedOut.push_back(timeout);
        m_now += timeout;
        return false;
    }

    void Advance(Millis by)
    {
        std::lock_guard lock(m_mutex);
        m_now += by;
    }
    std::vector<Millis> Deadlines()
    {
        std::lock_guard lock(m_mutex);
        return m_deadlines;
    }
    std::vector<Millis> Pauses()
    {
        std::lock_guard lock(m_mutex);
        return m_pauses;
    }
    std::vector<Millis> TimedOutWaits()
    {
        std::lock_guard lock(m_mutex);
        return m_timedOut;
    }

private:
    std::mutex m_mutex;
    Millis m_now{100000};
    std::vector<Millis> m_deadlines;
    std::vector<Millis> m_pauses;
    std::vector<Millis> m_timedOut;
};

} // namespace corvane::test
