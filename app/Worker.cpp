#include "app/Worker.h"

#include "app/WorkerHost.h"

namespace corvane {

Worker::Worker(Clock& clock, TaskQueue& tasks, TaskQueue& playback, WorkerHost& host, TaskHandlers handlers)
    : CThreadBasic(clock), m_clock(clock), m_tasks(tasks), m_playback(playback), m_host(host), m_handlers(std::move(handlers))
{
}

Worker::~Worker()
{
    Stop();
}

bool Worker::NeedsKeyboard(int code)
{
    return code != 1 && code != 2 && code != 3 && code != 12;
}

void Worker::Run()
{
    if (const auto task = m_tasks.Front()) {
        if (!DoTask(*task))
            return;
    }
    if (m_tasks.IsEmpty())
        m_host.IdlePass();
    if (const auto macro = m_playback.Front()) {
        m_playback.RemoveFront();
        m_host.PlayMacro(macro->code);
    }
}

bool Worker::DoTask(const Task& task)
{
    const auto handler = m_handlers.find(task.code);
    const bool hasBody = handler != m_handlers.end() && handler->second;
    const bool needsKeyboard = NeedsKeyboard(task.code);
    if (!needsKeyboard && hasBody)
        handler->second();

    if (!m_host.KeyboardPresent() || !m_host.KeyboardConnected()) {
        // Dropped undone, but its wait dialog must still close.
        m_tasks.RemoveFront();
        if (task.token != 0)
            m_host.PostTaskDone(task.token);
        return false;
    }

    m_host.EnableMainWindow(false);
    if (needsKeyboard && hasBody)
        handler->second();
    if (task.token != 0) {
        m_host.PostTaskDone(task.token);
        m_clock.Sleep(AfterWaitPause);
    }
    m_host.EnableMainWindow(true);
    m_tasks.RemoveFront();
    return true;
}

} // namespace corvane
