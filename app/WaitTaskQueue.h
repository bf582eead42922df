#pragma once

namespace corvane {

// Queues worker work that the user waits for, with the wait dialog shown over the window.
class WaitTaskQueue {
public:
    virtual ~WaitTaskQueue() = default;
    virtual void QueueTaskWithWait(int code) = 0;
};

} // namespace corvane
