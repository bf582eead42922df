#pragma once

#include "platform/Clock.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace corvane {

// A thread that calls Run on fixed deadlines `interval` apart while it is running. A pass that
// overruns skips the deadlines it missed rather than catching up in a burst.
// A derived class must call Stop in its own destructor, before its members go.
class CThreadBasic {
public:
    static constexpr int DefaultInterval = 16;
    static constexpr Clock::Millis StopWait{1000};

    explicit CThreadBasic(Clock& clock);
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // False when already running; otherwise interval 16 ms, repeat on, start tick taken.
    bool Start();
    // Waits at most a second for the done signal, then joins the thread in any case: a pass
    // that overran the wait is let finish, so the thread never outlives Stop. From the
    // thread itself it only asks the loop to end.
    void Stop();

    bool IsRunning() const { return m_running.load() != 0; }
    uint32_t StartTick() const { return m_startTick; }

protected:
    // One pass of work.
    virtual void Run() = 0;

private:
    void ThreadMain();

    Clock& m_clock;
    std::mutex m_control; // Start and Stop from different threads
    std::mutex m_doneMutex;
    std::condition_variable m_doneEvent;
    bool m_done = true;
    std::atomic<int> m_running{0};
    int m_repeat = 0;
    int m_interval = 0;
    uint32_t m_startTick = 0;
    std::thread m_thread;
    std::atomic<std::thread::id> m_threadId{};
};

} // namespace corvane
