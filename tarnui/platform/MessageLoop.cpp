#include "tarnui/platform/MessageLoop.h"

#include "tarnui/platform/Clock.h"
#include "tarnui/platform/InputRouter.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>
#include <poll.h>

namespace tarn {

void MessageLoop::ProcessIncoming(MessageQueue& queue)
{
    auto& core = WindowCore::Get();
    while (auto task = queue.PopTask())
        task();
    while (auto sent = queue.PopSent()) {
        sent->result = core.CallProc(sent->hwnd, sent->message, sent->wParam, sent->lParam);
        sent->done.store(true);
        if (auto sender = sent->sender.lock())
            sender->Wake();
    }
    const uint64_t now = Clock::Current().NowMs();
    queue.Timers().RunDueMultimedia(now);
    InputRouter::CheckHover(now);
}

bool MessageLoop::Retrieve(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& out)
{
    ProcessIncoming(queue);
    if (queue.TakePosted(filter, remove, out)) {
        queue.lastTime = out.time;
        queue.lastPos = out.pt;
        return true;
    }
    int code = 0;
    if (filter.AcceptsMessage(WM_QUIT) && queue.TakeQuit(remove, code)) {
        out = MSG();
        out.message = WM_QUIT;
        out.wParam = static_cast<WPARAM>(code);
        out.time = GetTickCount();
        return true;
    }
    QueuedInput in;
    while (queue.TakeInput(filter, remove, in)) {
        // Input for a window destroyed since it was queued is dropped.
        if (!IsWindow(in.msg.hwnd) && remove)
            continue;
        if (remove)
            InputRouter::UpdateKeyState(queue, in);
        out = in.msg;
        queue.lastTime = out.time;
        queue.lastPos = out.pt;
        return true;
    }
    POINT pos;
    GetCursorPos(&pos);
    if (filter.AcceptsMessage(WM_PAINT)) {
        if (HWND hwnd = FindPaintWindow(queue.ThreadId(), filter)) {
            out = MSG();
            out.hwnd = hwnd;
            out.message = WM_PAINT;
            out.time = GetTickCount();
            out.pt = pos;
            return true;
        }
    }
    if (filter.AcceptsMessage(WM_TIMER)) {
        const auto due = queue.Timers().TakeDue(Clock::Current().NowMs(), remove, [&](HWND h) {
            return filter.AcceptsWindow(h) && (!h || IsWindow(h));
        });
        if (due) {
            out = MSG();
            out.hwnd = due->hwnd;
            out.message = WM_TIMER;
            out.wParam = due->id;
            out.lParam = reinterpret_cast<LPARAM>(due->proc);
            out.time = GetTickCount();
            out.pt = pos;
            return true;
        }
    }
    return false;
}

std::optional<uint64_t> MessageLoop::NextDue(MessageQueue& queue)
{
    auto due = queue.Timers().NextDue();
    if (auto hover = InputRouter::HoverDue(); hover && (!due || *hover < *due))
        due = hover;
    return due;
}

void MessageLoop::Wait(MessageQueue& queue, bool block)
{
    auto& core = WindowCore::Get();
    Backend* backend;
    {
        auto lock = core.Lock();
        backend = &core.GetBackend();
    }
    Clock& clock = Clock::Current();
    int timeout = 0;
    bool stallGuard = false;
    if (block) {
        const auto due = NextDue(queue);
        if (backend->Idle(due)) {
            timeout = 0;
        } else if (clock.IsVirtual()) {
            timeout = backend->StallTimeoutMs();
            stallGuard = timeout >= 0;
        } else if (due) {
            const uint64_t now = clock.NowMs();
            timeout = *due <= now ? 0 : static_cast<int>(std::min<uint64_t>(*due - now, 1u << 30));
        } else {
            timeout = -1;
        }
    }
    std::vector<pollfd> fds;
    fds.push_back({queue.WakeFd(), POLLIN, 0});
    const int backendFd = backend->EventFd();
    if (backendFd >= 0)
        fds.push_back({backendFd, POLLIN, 0});
    const size_t firstWatch = fds.size();
    const auto watches = queue.Watches();
    for (const auto& w : watches)
        fds.push_back({w.fd, w.events, 0});
    const int ready = poll(fds.data(), fds.size(), timeout);
    if (ready == 0 && stallGuard) {
        backend->Stalled();
        return;
    }
    if (ready <= 0)
        return;
    if (fds[0].revents)
        queue.DrainWake();
    if (backendFd >= 0 && fds[1].revents)
        backend->ReadEvents();
    for (size_t i = firstWatch; i < fds.size(); ++i) {
        if (!fds[i].revents)
            continue;
        const auto& w = watches[i - firstWatch];
        // A watch removed by an earlier callback in this round is not called.
        const auto& live = queue.Watches();
        const bool stillWatched = std::any_of(live.begin(), live.end(), [&](const auto& l) { return l.id == w.id; });
        if (stillWatched)
            w.callback(w.fd, fds[i].revents);
    }
}

bool MessageLoop::BuildFilter(HWND hwnd, UINT min, UINT max, MessageFilter& out)
{
    out = MessageFilter();
    out.min = min;
    out.max = max;
    if (!hwnd)
        return true;
    if (hwnd == reinterpret_cast<HWND>(-1)) {
        out.threadOnly = true;
        return true;
    }
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (!core.Find(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    out.anyWindow = false;
    core.CollectTree(hwnd, out.windows);
    return true;
}

HWND MessageLoop::FindPaintWindow(DWORD thread, const MessageFilter& filter)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    for (HWND top : core.TopLevels()) {
        std::vector<HWND> tree;
        core.CollectTree(top, tree);
        for (HWND h : tree) {
            Window* w = core.Find(h);
            if (w->threadId == thread && !w->update.IsEmpty() && filter.AcceptsWindow(h) && core.IsVisibleLocked(h)
                && !core.IsIconicLocked(h))
                return h;
        }
    }
    return nullptr;
}

} // namespace tarn
