// Default processing for the messages the UI relies on, and the caption move loop.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>
#include <cstring>

namespace tarn {

namespace {

// The move loop a press on the caption starts: the window follows the pointer by the drag
// delta until the button is released, Escape puts it back, losing the capture ends it. Other
// messages are dispatched as usual; WM_QUIT ends the loop and is posted again.
void MoveLoop(HWND hwnd)
{
    auto& core = WindowCore::Get();
    {
        auto lock = core.Lock();
        if (core.GetBackend().BeginSystemMove(hwnd))
            return;
    }
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        return;
    POINT start;
    GetCursorPos(&start);
    RECT origin;
    GetWindowRect(hwnd, &origin);
    SetCapture(hwnd);
    SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    const auto moveTo = [hwnd](RECT r) {
        SendMessageW(hwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsWindow(hwnd) || GetCapture() != hwnd)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            RECT r = origin;
            r.OffsetRect(msg.pt.x - start.x, msg.pt.y - start.y);
            moveTo(r);
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            moveTo(origin);
            break;
        }
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

WPARAM SizeType(HWND hwnd)
{
    if (IsIconic(hwnd))
        return SIZE_MINIMIZED;
    return IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

bool IsChildWindow(HWND hwnd)
{
    return (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & WS_CHILD) != 0;
}

} // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& core = WindowCore::Get();
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCHITTEST: {
        RECT r;
        if (!GetWindowRect(hwnd, &r))
            return HTNOWHERE;
        return r.PtInRect(POINT(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) ? HTCLIENT : HTNOWHERE;
    }
    case WM_NCACTIVATE:
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_MOUSEACTIVATE:
        if (IsChildWindow(hwnd)) {
            if (const LRESULT r = SendMessageW(GetParent(hwnd), msg, wParam, lParam))
                return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR: {
        if (IsChildWindow(hwnd) && SendMessageW(GetParent(hwnd), msg, wParam, lParam))
            return TRUE;
        HCURSOR cursor = nullptr;
        if (static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lParam))) == HTCLIENT) {
            auto lock = core.Lock();
            if (Window* w = core.Find(hwnd))
                cursor = w->cls->wc.hCursor;
        }
        if (!cursor && static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lParam))) != HTCLIENT)
            cursor = LoadCursorW(nullptr, IDC_ARROW);
        if (cursor)
            SetCursor(cursor);
        return cursor ? TRUE : FALSE;
    }
    case WM_MOUSEWHEEL:
        return IsChildWindow(hwnd) ? SendMessageW(GetParent(hwnd), msg, wParam, lParam) : 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: {
            bool noClose = false;
            {
                auto lock = core.Lock();
                if (Window* w = core.Find(hwnd))
                    noClose = (w->cls->wc.style & CS_NOCLOSE) != 0;
            }
            if (!noClose)
                SendMessageW(hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        case SC_MOVE:
            MoveLoop(hwnd);
            return 0;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        default:
            return 0;
        }
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the top-level window the key went to.
        if (wParam == VK_F4 && (static_cast<uint32_t>(lParam) & (1u << 29)))
            SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == static_cast<WPARAM>(HTCAPTION))
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), lParam);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
        // Windows with a sizing frame keep to their tracking sizes.
        if (wp && !(wp->flags & SWP_NOSIZE) && (style & WS_THICKFRAME) && !(style & WS_CHILD)) {
            MINMAXINFO mmi;
            mmi.ptMaxTrackSize = POINT(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
            SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            wp->cx = std::clamp(wp->cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
            wp->cy = std::clamp(wp->cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        }
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        if (!(wp->flags & SWP_NOMOVE))
            SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(wp->x, wp->y));
        if (!(wp->flags & SWP_NOSIZE))
            SendMessageW(hwnd, WM_SIZE, SizeType(hwnd), MAKELPARAM(wp->cx, wp->cy));
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return FALSE;
        w->text = text ? text : L"";
        if (!w->IsChild())
            core.GetBackend().TitleChanged(hwnd, w->text);
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return 0;
        const size_t n = std::min(w->text.size(), static_cast<size_t>(wParam - 1));
        std::copy_n(w->text.begin(), n, buffer);
        buffer[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_SETICON:
    case WM_GETICON: {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w || (msg == WM_SETICON && wParam != ICON_SMALL && wParam != ICON_BIG))
            return 0;
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        const HICON old = slot;
        if (msg == WM_SETICON) {
            slot = reinterpret_cast<HICON>(lParam);
            if (!w->IsChild())
                core.GetBackend().IconChanged(hwnd, w->iconSmall, w->iconBig);
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return 0;
    }
}

} // namespace tarn
