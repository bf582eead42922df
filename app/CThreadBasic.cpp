#include "app/CThreadBasic.h"

namespace corvane {

CThreadBasic::CThreadBasic(Clock& clock) : m_clock(clock)
{
}

CThreadBasic::~CThreadBasic()
{
    Stop();
}

bool CThreadBasic::Start()
{
    std::lock_guard control(m_control);
    if (m_running.load() != 0)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // it ended its loop from inside
    m_interval = DefaultInterval;
    m_repeat = 1;
    m_startTick = m_clock.TickCount();
    {
        std::lock_guard lock(m_doneMutex);
        m_done = false;
    }
    m_running = 1;
    m_thread = std::thread(&CThreadBasic::ThreadMain, this);
    m_threadId = m_thread.get_id();
    return true;
}

void CThreadBasic::Stop()
{
    if (std::this_thread::get_id() == m_threadId.load()) {
        m_running = 0;
        return;
    }
    std::lock_guard control(m_control);
    if (m_running.exchange(0) != 0) {
        std::unique_lock lock(m_doneMutex);
        m_clock.WaitFor(m_doneEvent, lock, StopWait, [this] { return m_done; });
    }
    if (m_thread.joinable())
        m_thread.join();
    m_threadId = std::thread::id();
}

void CThreadBasic::ThreadMain()
{
    const Clock::Millis interval(m_interval);
    Clock::Millis deadline = m_clock.Now();
    while (m_running.load() != 0) {
        Run();
        if (m_repeat == 0)
            break;
        deadline += interval;
        const Clock::Millis now = m_clock.Now();
        if (deadline < now && interval.count() > 0)
            deadline += ((now - deadline) / interval + 1) * interval;
        if (m_running.load() == 0)
            break;
        m_clock.SleepUntil(deadline);
    }
    {
        std::lock_guard lock(m_doneMutex);
        m_done = true;
    }
    m_doneEvent.notify_all();
}

} // namespace corvane
