#include "app/TaskQueue.h"

namespace corvane {

void TaskQueue::QueueTask(int code)
{
    std::lock_guard lock(m_mutex);
    m_tasks.push_back({code, 0});
}

uint64_t TaskQueue::QueueTaskWithWait(int code)
{
    std::lock_guard lock(m_mutex);
    const uint64_t token = ++m_lastToken;
    m_tasks.push_back({code, token});
    return token;
}

std::optional<Task> TaskQueue::Front() const
{
    std::lock_guard lock(m_mutex);
    if (m_tasks.empty())
        return std::nullopt;
    return m_tasks.front();
}

void TaskQueue::RemoveFront()
{
    std::lock_guard lock(m_mutex);
    if (!m_tasks.empty())
        m_tasks.pop_front();
}

bool TaskQueue::IsEmpty() const
{
    std::lock_guard lock(m_mutex);
    return m_tasks.empty();
}

std::size_t TaskQueue::Size() const
{
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}

} // namespace corvane
