#include "tarnui/platform/InputRouter.h"

#include "tarnui/platform/Activation.h"
#include "tarnui/platform/Clock.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <cstdlib>

namespace tarn {

namespace {

constexpr uint8_t Down = 0x80;
constexpr uint8_t Toggled = 0x01;

WPARAM MouseKeys(const UiState& ui)
{
    WPARAM mk = 0;
    if (ui.asyncKeys[VK_LBUTTON] & Down) mk |= MK_LBUTTON;
    if (ui.asyncKeys[VK_RBUTTON] & Down) mk |= MK_RBUTTON;
    if (ui.asyncKeys[VK_MBUTTON] & Down) mk |= MK_MBUTTON;
    if (ui.asyncKeys[VK_SHIFT] & Down) mk |= MK_SHIFT;
    if (ui.asyncKeys[VK_CONTROL] & Down) mk |= MK_CONTROL;
    return mk;
}

UINT GenericVk(UINT vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

void SetDown(std::array<uint8_t, 256>& keys, UINT vk, bool down)
{
    auto& k = keys[vk & 0xFF];
    if (down && !(k & Down))
        k ^= Toggled;
    k = static_cast<uint8_t>(down ? (k | Down) : (k & ~Down));
}

struct Target {
    HWND hwnd = nullptr;
    int hit = HTNOWHERE;
    bool captured = false;
    bool disabled = false;
};

// The window the pointer input goes to: the capture, or the window under the point as its
// WM_NCHITTEST answers (HTTRANSPARENT passes the point to the window below).
Target FindTarget(POINT screen)
{
    auto& core = WindowCore::Get();
    Target t;
    HWND skip = nullptr;
    for (int attempt = 0; attempt < 8; ++attempt) {
        {
            auto lock = core.Lock();
            if (core.Find(core.Ui().capture)) {
                t.hwnd = core.Ui().capture;
                t.hit = HTCLIENT;
                t.captured = true;
                return t;
            }
            t.hwnd = core.WindowAtLocked(screen, skip);
            if (!t.hwnd)
                return t;
            Window* w = core.Find(t.hwnd);
            t.disabled = (w->style & WS_DISABLED) != 0;
            if (t.disabled)
                return t;
        }
        t.hit = static_cast<int>(SendMessageW(t.hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
        if (t.hit != HTTRANSPARENT)
            return t;
        skip = t.hwnd;
    }
    return Target();
}

LPARAM ClientPoint(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

void PostLeave(HWND hwnd)
{
    InputRouter::PostInput(hwnd, WM_MOUSELEAVE, 0, 0);
}

} // namespace

void InputRouter::PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT specificVk, DWORD ch)
{
    auto& core = WindowCore::Get();
    QueuedInput in;
    DWORD thread;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return;
        thread = w->threadId;
        in.msg.pt = core.Ui().cursorPos;
    }
    in.msg.hwnd = hwnd;
    in.msg.message = msg;
    in.msg.wParam = wParam;
    in.msg.lParam = lParam;
    in.msg.time = GetTickCount();
    in.msg.lPrivate = ch;
    in.specificVk = specificVk;
    if (auto q = core.QueueOf(thread))
        q->PostInput(in);
}

void InputRouter::PointerMoved(POINT screen)
{
    auto& core = WindowCore::Get();
    HWND leaveFrom = nullptr;
    {
        auto lock = core.Lock();
        auto& ui = core.Ui();
        ui.cursorPos = screen;
        if (ui.trackHwnd) {
            // Leave follows the geometry, capture or not: a window left for another window,
            // its own child included, or for no window of ours.
            const HWND under = core.WindowAtLocked(screen);
            if (under != ui.trackHwnd) {
                if (ui.trackFlags & TME_LEAVE)
                    leaveFrom = ui.trackHwnd;
                ui.trackHwnd = nullptr;
                ui.trackFlags = 0;
            } else if (ui.trackFlags & TME_HOVER) {
                if (std::abs(screen.x - ui.hoverStart.x) > 2 || std::abs(screen.y - ui.hoverStart.y) > 2) {
                    ui.hoverStart = screen;
                    ui.hoverDue = Clock::Current().NowMs() + ui.hoverTime;
                }
            }
        }
    }
    if (leaveFrom)
        PostLeave(leaveFrom);
    const Target t = FindTarget(screen);
    if (!t.hwnd || t.disabled)
        return;
    if (!t.captured)
        SendMessageW(t.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(t.hwnd), MAKELPARAM(t.hit, static_cast<int>(WM_MOUSEMOVE)));
    WPARAM mk;
    {
        auto lock = core.Lock();
        mk = MouseKeys(core.Ui());
    }
    if (t.hit == HTCLIENT)
        PostInput(t.hwnd, WM_MOUSEMOVE, mk, ClientPoint(t.hwnd, screen));
    else
        PostInput(t.hwnd, WM_NCMOUSEMOVE, static_cast<WPARAM>(t.hit), MAKELPARAM(screen.x, screen.y));
}

void InputRouter::Button(UINT button, bool down)
{
    auto& core = WindowCore::Get();
    UINT base;
    switch (button) {
    case VK_LBUTTON: base = WM_LBUTTONDOWN; break;
    case VK_RBUTTON: base = WM_RBUTTONDOWN; break;
    case VK_MBUTTON: base = WM_MBUTTONDOWN; break;
    default: return;
    }
    POINT screen;
    {
        auto lock = core.Lock();
        SetDown(core.Ui().asyncKeys, button, down);
        screen = core.Ui().cursorPos;
    }
    Target t = FindTarget(screen);
    if (!t.hwnd) {
        // A press on no window of ours gives the activation to whatever lies there.
        if (down)
            FocusOut();
        return;
    }
    if (t.disabled)
        return;
    if (down && !t.captured) {
        HWND top = GetAncestor(t.hwnd, GA_ROOT);
        const bool noActivate = (static_cast<DWORD>(GetWindowLongW(top, GWL_EXSTYLE)) & WS_EX_NOACTIVATE) != 0;
        if (top != GetActiveWindow() && !noActivate) {
            const LRESULT how = SendMessageW(t.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                             MAKELPARAM(t.hit, static_cast<int>(base)));
            if (how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT)
                Activation::Activate(top, WA_CLICKACTIVE);
            if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT)
                return;
            if (!IsWindow(t.hwnd))
                return;
        }
    }
    const bool client = t.hit == HTCLIENT;
    UINT msg = client ? base : base - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
    WPARAM wParam;
    LPARAM lParam = client ? ClientPoint(t.hwnd, screen) : MAKELPARAM(screen.x, screen.y);
    const UINT doubleTime = GetDoubleClickTime();
    const int slackX = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int slackY = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const DWORD now = GetTickCount();
    {
        auto lock = core.Lock();
        auto& ui = core.Ui();
        wParam = client ? MouseKeys(ui) : static_cast<WPARAM>(t.hit);
        if (!down) {
            msg += 1;
        } else {
            Window* w = core.Find(t.hwnd);
            const bool wantsDouble = !client || (w && (w->cls->wc.style & CS_DBLCLKS));
            const bool isDouble = wantsDouble && ui.clickHwnd == t.hwnd && ui.clickButton == button
                                  && now - ui.clickTime <= doubleTime && std::abs(screen.x - ui.clickPos.x) <= slackX
                                  && std::abs(screen.y - ui.clickPos.y) <= slackY;
            if (isDouble) {
                msg += 2;
                // A third press starts over: it is a press, not another double-click.
                ui.clickHwnd = nullptr;
            } else {
                ui.clickHwnd = t.hwnd;
                ui.clickButton = button;
                ui.clickTime = now;
                ui.clickPos = screen;
            }
        }
    }
    PostInput(t.hwnd, msg, wParam, lParam);
}

void InputRouter::Wheel(int delta)
{
    auto& core = WindowCore::Get();
    POINT screen;
    WPARAM mk;
    {
        auto lock = core.Lock();
        screen = core.Ui().cursorPos;
        mk = MouseKeys(core.Ui());
    }
    const Target t = FindTarget(screen);
    if (!t.hwnd || t.disabled)
        return;
    PostInput(t.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(mk), delta), MAKELPARAM(screen.x, screen.y));
}

void InputRouter::Key(UINT vk, UINT scanCode, bool extended, bool down, wchar_t ch)
{
    auto& core = WindowCore::Get();
    const UINT generic = GenericVk(vk & 0xFF);
    HWND target;
    bool wasDown;
    bool alt;
    bool ctrl;
    bool noFocus;
    {
        auto lock = core.Lock();
        auto& keys = core.Ui().asyncKeys;
        wasDown = (keys[generic] & Down) != 0;
        SetDown(keys, generic, down);
        if (generic != vk)
            SetDown(keys, vk, down);
        alt = (keys[VK_MENU] & Down) != 0;
        ctrl = (keys[VK_CONTROL] & Down) != 0;
        noFocus = !core.Find(core.Ui().focus);
        target = noFocus ? core.Ui().active : core.Ui().focus;
        Window* w = core.Find(target);
        if (!w || (w->style & WS_DISABLED))
            return;
    }
    // Alt combinations, F10 and keys typed into an active window with no focus are system keys.
    const bool sys = (alt && !ctrl) || generic == VK_F10 || generic == VK_MENU || noFocus;
    const UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    uint32_t lp = 1u | ((scanCode & 0xFFu) << 16);
    if (extended) lp |= 1u << 24;
    if (alt) lp |= 1u << 29;
    if (wasDown || !down) lp |= 1u << 30;
    if (!down) lp |= 1u << 31;
    PostInput(target, msg, generic, static_cast<LPARAM>(lp), generic != vk ? vk : 0, down ? static_cast<DWORD>(ch) : 0);
}

void InputRouter::FocusIn(HWND hwnd)
{
    if (IsWindow(hwnd))
        Activation::Activate(hwnd, WA_ACTIVE);
}

void InputRouter::FocusOut()
{
    Activation::DeactivateApp();
}

void InputRouter::CloseRequest(HWND hwnd)
{
    PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void InputRouter::CheckHover(uint64_t now)
{
    auto& core = WindowCore::Get();
    HWND hwnd = nullptr;
    POINT screen;
    WPARAM mk = 0;
    {
        auto lock = core.Lock();
        auto& ui = core.Ui();
        if (!(ui.trackFlags & TME_HOVER) || now < ui.hoverDue || !core.Find(ui.trackHwnd))
            return;
        Window* w = core.Find(ui.trackHwnd);
        if (w->threadId != WindowCore::ThisThreadId())
            return;
        hwnd = ui.trackHwnd;
        ui.trackFlags &= ~TME_HOVER;
        screen = ui.cursorPos;
        mk = MouseKeys(ui);
    }
    PostInput(hwnd, WM_MOUSEHOVER, mk, ClientPoint(hwnd, screen));
}

std::optional<uint64_t> InputRouter::HoverDue()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    const auto& ui = core.Ui();
    if (!(ui.trackFlags & TME_HOVER) || !core.Find(ui.trackHwnd))
        return std::nullopt;
    return ui.hoverDue;
}

void InputRouter::UpdateKeyState(MessageQueue& queue, const QueuedInput& input)
{
    auto& keys = queue.KeyState();
    const UINT m = input.msg.message;
    switch (m) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
        SetDown(keys, static_cast<UINT>(input.msg.wParam), down);
        if (input.specificVk)
            SetDown(keys, input.specificVk, down);
        break;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
        SetDown(keys, VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP:
        SetDown(keys, VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
        SetDown(keys, VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP: case WM_NCRBUTTONUP:
        SetDown(keys, VK_RBUTTON, false);
        break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN:
        SetDown(keys, VK_MBUTTON, true);
        break;
    case WM_MBUTTONUP: case WM_NCMBUTTONUP:
        SetDown(keys, VK_MBUTTON, false);
        break;
    default:
        break;
    }
}

SHORT GetKeyState(int vk)
{
    const uint8_t k = WindowCore::Get().ThisQueue()->KeyState()[static_cast<size_t>(vk) & 0xFF];
    return static_cast<SHORT>(((k & Down) ? 0xFF80 : 0) | (k & Toggled));
}

SHORT GetAsyncKeyState(int vk)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return (core.Ui().asyncKeys[static_cast<size_t>(vk) & 0xFF] & Down) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& core = WindowCore::Get();
    bool leaveNow = false;
    {
        auto lock = core.Lock();
        auto& ui = core.Ui();
        if (track->dwFlags & TME_QUERY) {
            track->dwFlags = ui.trackHwnd ? ui.trackFlags : 0;
            track->hwndTrack = ui.trackHwnd;
            track->dwHoverTime = ui.hoverTime;
            return TRUE;
        }
        if (!core.Find(track->hwndTrack)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        const DWORD kinds = track->dwFlags & (TME_HOVER | TME_LEAVE);
        if (track->dwFlags & TME_CANCEL) {
            if (ui.trackHwnd == track->hwndTrack) {
                ui.trackFlags &= ~kinds;
                if (!ui.trackFlags)
                    ui.trackHwnd = nullptr;
            }
            return TRUE;
        }
        if (core.WindowAtLocked(ui.cursorPos) != track->hwndTrack) {
            // Asked to watch for a leave that already happened: it is reported at once.
            leaveNow = (kinds & TME_LEAVE) != 0;
        } else {
            if (ui.trackHwnd != track->hwndTrack) {
                ui.trackHwnd = track->hwndTrack;
                ui.trackFlags = 0;
            }
            ui.trackFlags |= kinds;
            if (kinds & TME_HOVER) {
                ui.hoverTime = track->dwHoverTime == HOVER_DEFAULT ? 400 : track->dwHoverTime;
                ui.hoverStart = ui.cursorPos;
                ui.hoverDue = Clock::Current().NowMs() + ui.hoverTime;
            }
        }
    }
    if (leaveNow)
        PostLeave(track->hwndTrack);
    return TRUE;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    *point = core.Ui().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    InputRouter::PointerMoved(POINT(x, y));
    return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE, const wchar_t* name)
{
    // The standard cursors are known by id; the backend maps each to a themed cursor.
    if (!IS_INTRESOURCE(name))
        return nullptr;
    const auto id = reinterpret_cast<uintptr_t>(name);
    const bool known = (id >= 32512 && id <= 32516) || (id >= 32642 && id <= 32646) || (id >= 32648 && id <= 32651);
    return known ? reinterpret_cast<HCURSOR>(id) : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    const HCURSOR old = core.Ui().cursor;
    if (old != cursor) {
        core.Ui().cursor = cursor;
        core.GetBackend().CursorChanged(cursor);
    }
    return old;
}

HCURSOR GetCursor()
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.Ui().cursor;
}

} // namespace tarn
