// Position, size, visibility, z-order, monitors and metrics.
#include "tarnui/platform/Activation.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>

namespace tarn {

namespace {

HMONITOR MonitorHandle(size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

void Reorder(WindowCore& core, Window& w, HWND after)
{
    Window* parent = core.Find(w.parent);
    auto& list = parent ? parent->children : core.TopLevels();
    std::erase(list, w.handle);
    const auto topOfBand = [&](bool topmost) {
        auto it = list.begin();
        if (!topmost && !parent) {
            while (it != list.end() && core.Find(*it) && (core.Find(*it)->exStyle & WS_EX_TOPMOST))
                ++it;
        }
        return it;
    };
    if (after == HWND_TOPMOST && !parent) {
        w.exStyle |= WS_EX_TOPMOST;
        list.insert(list.begin(), w.handle);
    } else if (after == HWND_NOTOPMOST && !parent) {
        w.exStyle &= ~WS_EX_TOPMOST;
        list.insert(topOfBand(false), w.handle);
    } else if (after == HWND_BOTTOM) {
        w.exStyle &= parent ? ~0u : ~WS_EX_TOPMOST;
        list.push_back(w.handle);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        list.insert(topOfBand((w.exStyle & WS_EX_TOPMOST) != 0), w.handle);
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        list.insert(it == list.end() ? topOfBand((w.exStyle & WS_EX_TOPMOST) != 0) : it + 1, w.handle);
    }
    if (parent)
        return;
    // Owned windows stay above their owner, in their own order.
    std::vector<HWND> owned;
    for (HWND h : list) {
        for (Window* o = core.Find(h); o && o->owner; o = core.Find(o->owner)) {
            if (o->owner == w.handle) {
                owned.push_back(h);
                break;
            }
        }
    }
    for (HWND h : owned)
        std::erase(list, h);
    list.insert(std::find(list.begin(), list.end(), w.handle), owned.begin(), owned.end());
}

void InvalidateTreeLocked(WindowCore& core, HWND hwnd)
{
    std::vector<HWND> tree;
    core.CollectTree(hwnd, tree);
    for (HWND h : tree) {
        Window* w = core.Find(h);
        w->update.Add(RECT(POINT(), w->rect.Size()));
        w->erase = true;
    }
}

MINMAXINFO DefaultMinMax(const MONITORINFO& mi)
{
    MINMAXINFO mmi;
    mmi.ptMaxSize = POINT(mi.rcWork.Width(), mi.rcWork.Height());
    mmi.ptMaxPosition = POINT(mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    mmi.ptMaxTrackSize = POINT(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return mmi;
}

} // namespace

// stateChanged: minimise, maximise or restore changed the window's state, so WM_SIZE goes out
// even when the rectangle stays the same.
BOOL SetWindowPosState(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, bool stateChanged);

BOOL SetWindowPosState(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags, bool stateChanged)
{
    auto& core = WindowCore::Get();
    WINDOWPOS wp;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wp = {hwnd, insertAfter, x, y, cx, cy, flags};
        if (flags & SWP_NOMOVE) {
            wp.x = w->rect.left;
            wp.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            wp.cx = w->rect.Width();
            wp.cy = w->rect.Height();
        }
    }
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));

    bool activate = false;
    bool hidden = false;
    bool child = false;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return FALSE;
        child = w->IsChild();
        const RECT old = w->rect;
        const RECT now(wp.x, wp.y, wp.x + std::max(0, wp.cx), wp.y + std::max(0, wp.cy));
        const bool moved = now.TopLeft() != old.TopLeft();
        const bool sized = now.Size() != old.Size();
        const bool wasVisible = (w->style & WS_VISIBLE) != 0;
        w->rect = now;
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            w->normalRect = now;
        if (wp.flags & SWP_SHOWWINDOW)
            w->style |= WS_VISIBLE;
        if (wp.flags & SWP_HIDEWINDOW)
            w->style &= ~WS_VISIBLE;
        const bool visible = (w->style & WS_VISIBLE) != 0;
        hidden = wasVisible && !visible;
        if (!(wp.flags & SWP_NOZORDER))
            Reorder(core, *w, wp.hwndInsertAfter);
        if (!moved)
            wp.flags |= SWP_NOMOVE;
        if (stateChanged)
            wp.flags &= ~SWP_NOSIZE;
        else if (!sized)
            wp.flags |= SWP_NOSIZE;
        if (!child) {
            if (moved || sized)
                core.GetBackend().GeometryChanged(hwnd, now);
            if (visible != wasVisible)
                core.GetBackend().VisibilityChanged(hwnd, visible);
        }
        if ((sized || (visible && !wasVisible)) && !(wp.flags & SWP_NOREDRAW))
            InvalidateTreeLocked(core, hwnd);
        if (child && (moved || sized || visible != wasVisible)) {
            if (Window* p = core.Find(w->parent)) {
                RECT both;
                both.UnionRect(wasVisible ? old : RECT(), visible ? now : RECT());
                p->update.Add(both);
                p->erase = true;
            }
        }
        activate = !child && visible && !(flags & SWP_NOACTIVATE) && !(w->exStyle & WS_EX_NOACTIVATE);
        if (auto q = core.QueueOf(w->threadId); q && w->threadId != WindowCore::ThisThreadId())
            q->Wake();
    }
    if (hidden) {
        if (!child && GetActiveWindow() == hwnd)
            Activation::ActivateOther(hwnd);
        Activation::DropFocusAndCapture(hwnd);
    }
    if (activate)
        Activation::Activate(hwnd, WA_ACTIVE);
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return SetWindowPosState(hwnd, insertAfter, x, y, cx, cy, flags, false);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (!rect || !core.Find(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = core.ScreenRectLocked(hwnd);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!rect || !w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Frameless windows: the client area is the whole window.
    *rect = RECT(POINT(), w->rect.Size());
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (!point || !core.Find(hwnd))
        return FALSE;
    const POINT origin = core.ClientOriginLocked(hwnd);
    point->Offset(origin.x, origin.y);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (!point || !core.Find(hwnd))
        return FALSE;
    const POINT origin = core.ClientOriginLocked(hwnd);
    point->Offset(-origin.x, -origin.y);
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if ((from && !core.Find(from)) || (to && !core.Find(to))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const POINT a = from ? core.ClientOriginLocked(from) : POINT();
    const POINT b = to ? core.ClientOriginLocked(to) : POINT();
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i)
        points[i].Offset(dx, dy);
    return static_cast<int>(MAKELONG(dx, dy));
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    auto& core = WindowCore::Get();
    bool wasVisible;
    bool iconic;
    bool maximized;
    bool child;
    RECT normal;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasVisible = (w->style & WS_VISIBLE) != 0;
        iconic = (w->style & WS_MINIMIZE) != 0;
        maximized = (w->style & WS_MAXIMIZE) != 0;
        child = w->IsChild();
        normal = w->normalRect;
    }
    // The desktop hears of minimise and maximise as style changes of the top-level window.
    const auto setState = [&](DWORD add, DWORD remove) {
        auto lock = core.Lock();
        if (Window* w = core.Find(hwnd)) {
            w->style = (w->style & ~remove) | add;
            if (!w->IsChild())
                core.GetBackend().StyleChanged(hwnd, w->style, w->exStyle);
        }
    };
    const auto announceShow = [&] {
        if (!wasVisible)
            SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
    };
    constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPosState(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW, false);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!iconic)
            setState(WS_MINIMIZE, WS_MAXIMIZE);
        announceShow();
        SetWindowPosState(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW, !iconic);
        if (child)
            break;
        if (cmd == SW_SHOWMINIMIZED)
            Activation::Activate(hwnd, WA_ACTIVE);
        else if (GetActiveWindow() == hwnd)
            Activation::ActivateOther(hwnd);
        break;
    case SW_MAXIMIZE: {
        MONITORINFO mi;
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
        MINMAXINFO mmi = DefaultMinMax(mi);
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        const int cx = std::min(mmi.ptMaxSize.x, mmi.ptMaxTrackSize.x);
        const int cy = std::min(mmi.ptMaxSize.y, mmi.ptMaxTrackSize.y);
        setState(WS_MAXIMIZE, WS_MINIMIZE);
        announceShow();
        SetWindowPosState(hwnd, nullptr, mi.rcMonitor.left + mmi.ptMaxPosition.x, mi.rcMonitor.top + mmi.ptMaxPosition.y,
                          cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW, !maximized || iconic);
        {
            auto lock = core.Lock();
            if (Window* w = core.Find(hwnd); w && !maximized)
                w->normalRect = normal;
        }
        if (!child)
            Activation::Activate(hwnd, WA_ACTIVE);
        break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
        const bool change = iconic || maximized;
        setState(0, WS_MINIMIZE | WS_MAXIMIZE);
        announceShow();
        if (change)
            SetWindowPosState(hwnd, nullptr, normal.left, normal.top, normal.Width(), normal.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW, true);
        else
            SetWindowPosState(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW, false);
        if (!child && cmd != SW_SHOWNOACTIVATE)
            Activation::Activate(hwnd, WA_ACTIVE);
        break;
    }
    case SW_SHOW:
    case SW_SHOWNA:
        announceShow();
        SetWindowPosState(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW, false);
        if (!child && cmd == SW_SHOW && !iconic) {
            bool noActivate;
            {
                auto lock = core.Lock();
                Window* w = core.Find(hwnd);
                noActivate = !w || (w->exStyle & WS_EX_NOACTIVATE);
            }
            if (!noActivate)
                Activation::Activate(hwnd, WA_ACTIVE);
        }
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        break;
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.IsVisibleLocked(hwnd) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    return (w && (w->style & WS_MINIMIZE)) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    return (w && (w->style & WS_MAXIMIZE)) ? TRUE : FALSE;
}

HWND WindowFromPoint(POINT screen)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.WindowAtLocked(screen);
}

HWND ChildWindowFromPoint(HWND parent, POINT client)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* p = core.Find(parent);
    if (!p || !RECT(POINT(), p->rect.Size()).PtInRect(client))
        return nullptr;
    for (HWND c : p->children) {
        if (Window* cw = core.Find(c); cw && cw->rect.PtInRect(client))
            return c;
    }
    return parent;
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    if (!rect)
        return nullptr;
    std::vector<MonitorDesc> monitors;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        monitors = core.GetBackend().Monitors();
    }
    if (monitors.empty())
        return nullptr;
    long long bestArea = 0;
    size_t best = monitors.size();
    for (size_t i = 0; i < monitors.size(); ++i) {
        RECT overlap;
        if (overlap.IntersectRect(*rect, monitors[i].rect)) {
            const long long area = static_cast<long long>(overlap.Width()) * overlap.Height();
            if (area > bestArea) {
                bestArea = area;
                best = i;
            }
        }
    }
    // An empty rect still lies on the monitor that holds its corner.
    if (best == monitors.size()) {
        for (size_t i = 0; i < monitors.size(); ++i) {
            if (monitors[i].rect.PtInRect(rect->TopLeft())) {
                best = i;
                break;
            }
        }
    }
    if (best != monitors.size())
        return MonitorHandle(best);
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return MonitorHandle(0);
    if (flags != MONITOR_DEFAULTTONEAREST)
        return nullptr;
    long long bestDistance = -1;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const RECT& m = monitors[i].rect;
        const long long dx = rect->right <= m.left ? m.left - rect->right + 1 : (rect->left >= m.right ? rect->left - m.right + 1 : 0);
        const long long dy = rect->bottom <= m.top ? m.top - rect->bottom + 1 : (rect->top >= m.bottom ? rect->top - m.bottom + 1 : 0);
        const long long distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return MonitorHandle(best);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    const RECT r(point.x, point.y, point.x + 1, point.y + 1);
    return MonitorFromRect(&r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    RECT r;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            lock.unlock();
            return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint(POINT(), MONITOR_DEFAULTTOPRIMARY);
        }
        // A minimised window belongs where it will come back.
        r = (w->style & WS_MINIMIZE) && !w->IsChild() ? w->normalRect : core.ScreenRectLocked(hwnd);
    }
    return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info)
{
    if (!info)
        return FALSE;
    std::vector<MonitorDesc> monitors;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        monitors = core.GetBackend().Monitors();
    }
    const auto index = reinterpret_cast<uintptr_t>(monitor);
    if (index == 0 || index > monitors.size())
        return FALSE;
    info->rcMonitor = monitors[index - 1].rect;
    info->rcWork = monitors[index - 1].work;
    info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

int GetSystemMetrics(int index)
{
    std::vector<MonitorDesc> monitors;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        monitors = core.GetBackend().Monitors();
    }
    RECT all;
    for (const auto& m : monitors)
        all.UnionRect(all, m.rect);
    const RECT primary = monitors.empty() ? RECT() : monitors.front().rect;
    switch (index) {
    case SM_CXSCREEN: return primary.Width();
    case SM_CYSCREEN: return primary.Height();
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_XVIRTUALSCREEN: return all.left;
    case SM_YVIRTUALSCREEN: return all.top;
    case SM_CXVIRTUALSCREEN: return all.Width();
    case SM_CYVIRTUALSCREEN: return all.Height();
    case SM_CMONITORS: return static_cast<int>(monitors.size());
    default: return 0;
    }
}

UINT GetDoubleClickTime() { return 500; }

BOOL CenterWindowOn(HWND hwnd, HWND reference)
{
    auto& core = WindowCore::Get();
    RECT target;
    RECT area;
    SIZE size;
    bool child;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return FALSE;
        child = w->IsChild();
        size = w->rect.Size();
        if (!core.Find(reference))
            reference = child ? w->parent : w->owner;
        if (child) {
            Window* p = core.Find(w->parent);
            area = RECT(POINT(), p->rect.Size());
            target = area;
        }
    }
    if (!child) {
        MONITORINFO mi;
        if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi))
            return FALSE;
        area = mi.rcWork;
        target = area;
        if (reference && IsWindowVisible(reference) && !IsIconic(reference))
            GetWindowRect(reference, &target);
    }
    POINT pos(target.CenterPoint().x - size.cx / 2, target.CenterPoint().y - size.cy / 2);
    if (pos.x + size.cx > area.right)
        pos.x = area.right - size.cx;
    if (pos.y + size.cy > area.bottom)
        pos.y = area.bottom - size.cy;
    pos.x = std::max(pos.x, area.left);
    pos.y = std::max(pos.y, area.top);
    return SetWindowPos(hwnd, nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tarn
