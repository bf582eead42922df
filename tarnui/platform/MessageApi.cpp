// Sending, posting, retrieving and dispatching messages; fd watches.
#include "tarnui/platform/Clock.h"
#include "tarnui/platform/MessageLoop.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>
#include <poll.h>

namespace tarn {

namespace {

DWORD ThreadOf(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    return w ? w->threadId : 0;
}

std::vector<HWND> TopLevels()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.TopLevels();
}

// Win32 semantics for a send to another thread: the sender blocks, but keeps answering
// messages sent to itself, so two threads sending to each other do not deadlock.
LRESULT SendAcross(HWND hwnd, DWORD thread, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& core = WindowCore::Get();
    auto target = core.QueueOf(thread);
    if (!target)
        return 0;
    auto own = core.ThisQueue();
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = msg;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = own;
    target->PushSent(sent);
    while (!sent->done.load()) {
        while (auto incoming = own->PopSent()) {
            incoming->result = core.CallProc(incoming->hwnd, incoming->message, incoming->wParam, incoming->lParam);
            incoming->done.store(true);
            if (auto sender = incoming->sender.lock())
                sender->Wake();
        }
        if (sent->done.load())
            break;
        pollfd fd{own->WakeFd(), POLLIN, 0};
        // The receiving thread may end without answering; its queue then fails the send, and
        // a dead queue is noticed on the next round.
        if (poll(&fd, 1, 100) > 0)
            own->DrainWake();
        else if (!core.QueueOf(thread))
            return 0;
    }
    return sent->result;
}

} // namespace

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : TopLevels())
            SendMessageW(h, msg, wParam, lParam);
        return 0;
    }
    const DWORD thread = ThreadOf(hwnd);
    if (!thread) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (thread == WindowCore::ThisThreadId())
        return WindowCore::Get().CallProc(hwnd, msg, wParam, lParam);
    return SendAcross(hwnd, thread, msg, wParam, lParam);
}

namespace {

MSG Posted(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MSG m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    GetCursorPos(&m.pt);
    return m;
}

} // namespace

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto queue = WindowCore::Get().QueueOf(threadId);
    if (!queue) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    queue->Post(Posted(nullptr, msg, wParam, lParam));
    return TRUE;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return PostThreadMessageW(WindowCore::ThisThreadId(), msg, wParam, lParam);
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : TopLevels())
            PostMessageW(h, msg, wParam, lParam);
        return TRUE;
    }
    const DWORD thread = ThreadOf(hwnd);
    auto queue = thread ? WindowCore::Get().QueueOf(thread) : nullptr;
    if (!queue) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    queue->Post(Posted(hwnd, msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    WindowCore::Get().ThisQueue()->PostQuit(exitCode);
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    MessageFilter filter;
    if (!msg || !MessageLoop::BuildFilter(hwnd, filterMin, filterMax, filter))
        return -1;
    auto queue = WindowCore::Get().ThisQueue();
    for (;;) {
        if (MessageLoop::Retrieve(*queue, filter, true, *msg))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        MessageLoop::Wait(*queue, true);
    }
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg)
{
    MessageFilter filter;
    if (!msg || !MessageLoop::BuildFilter(hwnd, filterMin, filterMax, filter))
        return FALSE;
    auto queue = WindowCore::Get().ThisQueue();
    MessageLoop::Wait(*queue, false);
    return MessageLoop::Retrieve(*queue, filter, (removeMsg & PM_REMOVE) != 0, *msg) ? TRUE : FALSE;
}

BOOL WaitMessage()
{
    auto queue = WindowCore::Get().ThisQueue();
    MSG msg;
    const MessageFilter all;
    while (!MessageLoop::Retrieve(*queue, all, false, msg))
        MessageLoop::Wait(*queue, true);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg)
        return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (msg->lPrivate)
            PostMessageW(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, msg->lPrivate, msg->lParam);
        return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        // Only a live timer's own procedure is called; a forged or stale lParam is not.
        if (WindowCore::Get().ThisQueue()->Timers().IsLive(msg->hwnd, msg->wParam, proc))
            proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd || ThreadOf(msg->hwnd) != WindowCore::ThisThreadId())
        return 0;
    return WindowCore::Get().CallProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

DWORD GetMessageTime() { return WindowCore::Get().ThisQueue()->lastTime; }

DWORD GetMessagePos()
{
    const POINT p = WindowCore::Get().ThisQueue()->lastPos;
    return MAKELONG(p.x, p.y);
}

UINT WatchFd(int fd, short events, FdCallback callback)
{
    if (fd < 0 || !callback) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto queue = WindowCore::Get().ThisQueue();
    const UINT id = queue->NextWatchId();
    queue->Watches().push_back({id, fd, events, std::move(callback)});
    return id;
}

BOOL UnwatchFd(UINT watchId)
{
    auto& watches = WindowCore::Get().ThisQueue()->Watches();
    return std::erase_if(watches, [&](const auto& w) { return w.id == watchId; }) ? TRUE : FALSE;
}

} // namespace tarn
