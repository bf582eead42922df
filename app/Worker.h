#pragma once

#include "app/CThreadBasic.h"
#include "app/TaskQueue.h"

#include <functional>
#include <map>

namespace corvane {

class WorkerHost;

// The worker thread: each pass does the front task, or a live frame when nothing is queued,
// and plays at most one queued macro.
class Worker : public CThreadBasic {
public:
    using TaskHandlers = std::map<int, std::function<void()>>;
    // Pause after work that showed a wait dialog, before the window is enabled again.
    static constexpr Clock::Millis AfterWaitPause{100};

    // A code without a handler is done as nothing besides the window's disable and enable.
    Worker(Clock& clock, TaskQueue& tasks, TaskQueue& playback, WorkerHost& host, TaskHandlers handlers);
    ~Worker() override;

    // Tasks 1, 2, 3 and 12 run without the keyboard; every other code needs it.
    static bool NeedsKeyboard(int code);

    // One pass.
    void Run() override;

private:
    // False when the task was dropped, which ends the pass.
    bool DoTask(const Task& task);

    Clock& m_clock;
    TaskQueue& m_tasks;
    TaskQueue& m_playback;
    WorkerHost& m_host;
    const TaskHandlers m_handlers;
};

} // namespace corvane
