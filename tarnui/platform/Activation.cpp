#include "tarnui/platform/Activation.h"

#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>

namespace tarn {

namespace {

std::vector<HWND> TopLevelsCopy()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.TopLevels();
}

WORD IconicWord(HWND hwnd) { return IsIconic(hwnd) ? 1 : 0; }

} // namespace

HWND Activation::Activate(HWND hwnd, WORD how)
{
    auto& core = WindowCore::Get();
    HWND top;
    HWND old;
    {
        auto lock = core.Lock();
        top = core.RootOf(hwnd);
        if (!top)
            return nullptr;
        old = core.Ui().active;
        if (old == top)
            return old;
        core.Ui().active = top;
    }
    if (old && IsWindow(old)) {
        SendMessageW(old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(top));
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IconicWord(old)), reinterpret_cast<LPARAM>(top));
    } else {
        for (HWND t : TopLevelsCopy())
            SendMessageW(t, WM_ACTIVATEAPP, TRUE, 0);
    }
    if (GetActiveWindow() != top || !IsWindow(top))
        return old;
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(top, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(old));
    SendMessageW(top, WM_ACTIVATE, MAKEWPARAM(how, IconicWord(top)), reinterpret_cast<LPARAM>(old));
    // Focus never stays behind in a window that is no longer active.
    HWND focus;
    {
        auto lock = core.Lock();
        focus = core.Ui().focus;
        if (focus && core.RootOf(focus) == core.Ui().active)
            focus = nullptr;
    }
    if (focus)
        MoveFocus(nullptr);
    return old;
}

void Activation::DeactivateApp()
{
    auto& core = WindowCore::Get();
    HWND old;
    {
        auto lock = core.Lock();
        old = core.Ui().active;
        core.Ui().active = nullptr;
    }
    if (old && IsWindow(old)) {
        SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IconicWord(old)), 0);
    }
    if (old) {
        for (HWND t : TopLevelsCopy())
            SendMessageW(t, WM_ACTIVATEAPP, FALSE, 0);
    }
    MoveFocus(nullptr);
    if (GetCapture())
        ReleaseCapture();
}

void Activation::ActivateOther(HWND leaving)
{
    auto& core = WindowCore::Get();
    HWND next = nullptr;
    {
        auto lock = core.Lock();
        const auto usable = [&](HWND h) {
            Window* w = core.Find(h);
            return w && h != leaving && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & (WS_DISABLED | WS_MINIMIZE))
                   && !(w->exStyle & WS_EX_NOACTIVATE);
        };
        Window* l = core.Find(leaving);
        if (l && usable(l->owner))
            next = l->owner;
        for (HWND h : core.TopLevels()) {
            if (next)
                break;
            Window* w = core.Find(h);
            if (usable(h) && w->owner != leaving)
                next = h;
        }
    }
    if (next)
        Activate(next, WA_ACTIVE);
    else
        DeactivateApp();
}

HWND Activation::MoveFocus(HWND hwnd)
{
    auto& core = WindowCore::Get();
    HWND old;
    {
        auto lock = core.Lock();
        if (hwnd && !core.Find(hwnd))
            return nullptr;
        old = core.Ui().focus;
        if (old == hwnd)
            return old;
        core.Ui().focus = hwnd;
    }
    if (old && IsWindow(old))
        SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && GetFocus() == hwnd)
        SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

void Activation::DropFocusAndCapture(HWND hwnd)
{
    auto& core = WindowCore::Get();
    bool focus = false;
    bool capture = false;
    {
        auto lock = core.Lock();
        std::vector<HWND> tree;
        core.CollectTree(hwnd, tree);
        const auto inTree = [&](HWND h) { return h && std::find(tree.begin(), tree.end(), h) != tree.end(); };
        focus = inTree(core.Ui().focus);
        capture = inTree(core.Ui().capture);
        if (inTree(core.Ui().trackHwnd)) {
            core.Ui().trackHwnd = nullptr;
            core.Ui().trackFlags = 0;
        }
    }
    if (focus)
        MoveFocus(nullptr);
    if (capture)
        ReleaseCapture();
}

HWND SetActiveWindow(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND old = GetActiveWindow();
    Activation::Activate(hwnd, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.Ui().active;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    if (!SetActiveWindow(hwnd) && GetActiveWindow() != GetAncestor(hwnd, GA_ROOT))
        return FALSE;
    return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND SetFocus(HWND hwnd)
{
    const HWND old = GetFocus();
    if (!hwnd) {
        Activation::MoveFocus(nullptr);
        return old;
    }
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND top = GetAncestor(hwnd, GA_ROOT);
    if (GetActiveWindow() != top)
        Activation::Activate(top, WA_ACTIVE);
    Activation::MoveFocus(hwnd);
    return old;
}

HWND GetFocus()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.Ui().focus;
}

HWND SetCapture(HWND hwnd)
{
    auto& core = WindowCore::Get();
    HWND old;
    {
        auto lock = core.Lock();
        if (!core.Find(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        old = core.Ui().capture;
        core.Ui().capture = hwnd;
    }
    if (old && old != hwnd && IsWindow(old))
        SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    auto& core = WindowCore::Get();
    HWND old;
    {
        auto lock = core.Lock();
        old = core.Ui().capture;
        core.Ui().capture = nullptr;
    }
    if (old && IsWindow(old))
        SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.Ui().capture;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    auto& core = WindowCore::Get();
    DWORD thread;
    bool wasDisabled;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable)
            return wasDisabled ? TRUE : FALSE;
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        thread = w->threadId;
    }
    // The flag is set at once; what follows from it runs on the window's own thread.
    auto effects = [hwnd, enable] {
        if (!enable && !IsWindowEnabled(hwnd))
            Activation::DropFocusAndCapture(hwnd);
        SendMessageW(hwnd, WM_ENABLE, static_cast<WPARAM>(enable ? TRUE : FALSE), 0);
    };
    if (thread == WindowCore::ThisThreadId())
        effects();
    else if (auto q = core.QueueOf(thread))
        q->PostTask(effects);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    return (w && !(w->style & WS_DISABLED)) ? TRUE : FALSE;
}

} // namespace tarn
