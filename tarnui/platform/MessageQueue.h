#pragma once

#include "tarnui/platform/WinTypes.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/TimerList.h"

#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tarn {

class MessageQueue;

// A message sent to a window of another thread; the sender waits until done.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    std::atomic<bool> done{false};
    std::weak_ptr<MessageQueue> sender;
};

// Which messages a retrieval accepts: the window filter (with its descendants) and the range.
struct MessageFilter {
    bool anyWindow = true;
    bool threadOnly = false; // the (HWND)-1 filter: messages posted without a window
    std::vector<HWND> windows;
    UINT min = 0;
    UINT max = 0;

    bool AcceptsWindow(HWND hwnd) const;
    bool AcceptsMessage(UINT message) const { return (min == 0 && max == 0) || (message >= min && message <= max); }
    bool Accepts(HWND hwnd, UINT message) const { return AcceptsWindow(hwnd) && AcceptsMessage(message); }
};

struct QueuedInput {
    MSG msg;
    UINT specificVk = 0; // the left or right variant of a modifier key
};

// The message queue of one thread. Posting and waking are thread-safe; retrieval, key state
// and fd watches belong to the owning thread.
class MessageQueue {
public:
    explicit MessageQueue(DWORD threadId);
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    DWORD ThreadId() const { return m_threadId; }
    int WakeFd() const { return m_wakeFd; }
    void Wake();
    void DrainWake();

    void Post(const MSG& msg);
    // Consecutive pointer moves to the same window collapse into the latest one.
    void PostInput(const QueuedInput& input);
    void PostQuit(int code);
    // Work the owning thread runs before it retrieves anything (side effects of cross-thread calls).
    void PostTask(std::function<void()> task);
    void PushSent(std::shared_ptr<SentMessage> sent);
    std::shared_ptr<SentMessage> PopSent();
    std::function<void()> PopTask();
    // Completes every sent message still waiting with 0 (the window or thread went away).
    void FailPendingSent();

    bool TakePosted(const MessageFilter& filter, bool remove, MSG& out);
    bool TakeQuit(bool remove, int& code);
    bool TakeInput(const MessageFilter& filter, bool remove, QueuedInput& out);
    void Clear();

    TimerList& Timers() { return m_timers; }

    // Key state as of the last key or button message retrieved (GetKeyState).
    std::array<uint8_t, 256>& KeyState() { return m_keyState; }
    DWORD lastTime = 0;
    POINT lastPos;

    struct FdWatch {
        UINT id;
        int fd;
        short events;
        FdCallback callback;
    };
    std::vector<FdWatch>& Watches() { return m_watches; }
    UINT NextWatchId() { return ++m_lastWatchId; }

private:
    DWORD m_threadId;
    int m_wakeFd = -1;
    std::mutex m_mutex;
    std::deque<MSG> m_posted;
    std::deque<QueuedInput> m_input;
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    std::deque<std::function<void()>> m_tasks;
    bool m_quit = false;
    int m_quitCode = 0;
    TimerList m_timers;
    std::array<uint8_t, 256> m_keyState{};
    std::vector<FdWatch> m_watches;
    UINT m_lastWatchId = 0;
};

} // namespace tarn
