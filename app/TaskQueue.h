#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace corvane {

// One queued piece of worker work. A non-zero token names the wait dialog shown for it.
struct Task {
    int code = 0;
    uint64_t token = 0;
};

// First in, first out. Any thread appends; only the worker removes, always the front, and only
// after its work is done.
class TaskQueue {
public:
    void QueueTask(int code);
    // For work the user waits for: answers the token whose completion closes the wait dialog.
    uint64_t QueueTaskWithWait(int code);

    std::optional<Task> Front() const;
    void RemoveFront();
    bool IsEmpty() const;
    std::size_t Size() const;

private:
    mutable std::mutex m_mutex;
    std::deque<Task> m_tasks;
    uint64_t m_lastToken = 0;
};

} // namespace corvane
