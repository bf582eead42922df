// The tooltip window: one text, drawn in a white box with a 1-pixel border, wrapped at the
// maximum width, shown without activation below the pointer.
#include "tarnui/platform/ToolTip.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/WinUser.h"

#include <algorithm>
#include <string>

namespace tarn {

namespace {

constexpr UINT_PTR kShowTimer = 1;
// The pointer's height: the tip goes below it.
constexpr int kBelowPointer = 20;

struct Tip {
    std::wstring text;
    bool active = false;
    bool shown = false;
    int maxWidth = -1;
    COLORREF bk = RGB(255, 255, 255);
    COLORREF fg = RGB(0, 0, 0);
    RECT margin = RECT(4, 2, 4, 2);
    UINT delay = kToolTipInitialDelay;
    bool tracking = false;
    POINT trackAt;
    HFONT font = nullptr;
};

Tip* TipOf(HWND hwnd)
{
    return reinterpret_cast<Tip*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Hide(HWND hwnd, Tip& tip)
{
    KillTimer(hwnd, kShowTimer);
    if (tip.shown) {
        tip.shown = false;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Arm(HWND hwnd, Tip& tip)
{
    if (tip.active && !tip.text.empty() && !tip.shown)
        SetTimer(hwnd, kShowTimer, tip.delay, nullptr);
}

SIZE Measure(const Tip& tip)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, tip.font);
    const bool wrap = tip.maxWidth > 0;
    RECT r(0, 0, wrap ? tip.maxWidth : 100000, 0);
    DrawTextW(dc, tip.text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    DeleteDC(dc);
    return SIZE(r.Width() + tip.margin.left + tip.margin.right + 2, r.Height() + tip.margin.top + tip.margin.bottom + 2);
}

void Show(HWND hwnd, Tip& tip)
{
    KillTimer(hwnd, kShowTimer);
    if (!tip.active || tip.text.empty())
        return;
    const SIZE size = Measure(tip);
    POINT at = tip.trackAt;
    if (!tip.tracking) {
        GetCursorPos(&at);
        at.y += kBelowPointer;
    }
    // Kept on the work area of the pointer's monitor.
    MONITORINFO info;
    if (GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info)) {
        at.x = std::max(info.rcWork.left, std::min(at.x, info.rcWork.right - size.cx));
        at.y = std::max(info.rcWork.top, std::min(at.y, info.rcWork.bottom - size.cy));
    }
    tip.shown = true;
    SetWindowPos(hwnd, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void Paint(HWND hwnd, const Tip& tip)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH border = CreateSolidBrush(RGB(118, 118, 118));
    HBRUSH fill = CreateSolidBrush(tip.bk);
    FillRect(dc, &client, border);
    RECT inside = client;
    inside.DeflateRect(1, 1);
    FillRect(dc, &inside, fill);
    DeleteObject(border);
    DeleteObject(fill);
    SelectObject(dc, tip.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, tip.fg);
    RECT text(inside.left + tip.margin.left, inside.top + tip.margin.top, inside.right - tip.margin.right,
              inside.bottom - tip.margin.bottom);
    DrawTextW(dc, tip.text.c_str(), -1, &text, DT_NOPREFIX | (tip.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    EndPaint(hwnd, &ps);
}

void SetText(HWND hwnd, Tip& tip, const wchar_t* text)
{
    tip.text = text ? text : L"";
    SetWindowTextW(hwnd, tip.text.c_str());
    if (tip.text.empty())
        Hide(hwnd, tip);
    else if (tip.shown)
        Show(hwnd, tip);
}

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Tip* tip = TipOf(hwnd);
    if (msg == WM_CREATE) {
        tip = new Tip();
        LOGFONTW lf;
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        tip->font = CreateFontIndirectW(&lf);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tip));
        return 0;
    }
    if (!tip)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DeleteObject(tip->font);
        delete tip;
        return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_PAINT: Paint(hwnd, *tip); return 0;
    case WM_TIMER:
        if (wParam == kShowTimer)
            Show(hwnd, *tip);
        return 0;
    case TTM_ADDTOOLW:
    case TTM_UPDATETIPTEXTW: {
        const auto* ti = reinterpret_cast<const TOOLINFOW*>(lParam);
        if (!ti)
            return FALSE;
        SetText(hwnd, *tip, ti->lpszText);
        Arm(hwnd, *tip);
        return TRUE;
    }
    case TTM_DELTOOLW: SetText(hwnd, *tip, nullptr); return 0;
    case TTM_GETTEXTW: {
        auto* ti = reinterpret_cast<TOOLINFOW*>(lParam);
        if (!ti || !ti->lpszText || wParam == 0)
            return 0;
        const size_t n = std::min(tip->text.size(), static_cast<size_t>(wParam) - 1);
        std::copy_n(tip->text.begin(), n, ti->lpszText);
        ti->lpszText[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case TTM_ACTIVATE:
        tip->active = wParam != 0;
        if (tip->active)
            Arm(hwnd, *tip);
        else
            Hide(hwnd, *tip);
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        const int old = tip->maxWidth;
        tip->maxWidth = static_cast<int>(lParam);
        return old;
    }
    case TTM_SETTIPBKCOLOR: tip->bk = static_cast<COLORREF>(wParam) & 0xFFFFFF; return 0;
    case TTM_SETTIPTEXTCOLOR: tip->fg = static_cast<COLORREF>(wParam) & 0xFFFFFF; return 0;
    case TTM_SETMARGIN:
        if (lParam)
            tip->margin = *reinterpret_cast<const RECT*>(lParam);
        return 0;
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC)
            tip->delay = static_cast<int>(lParam) < 0 ? kToolTipInitialDelay : LOWORD(static_cast<uintptr_t>(lParam));
        return 0;
    case TTM_POP: Hide(hwnd, *tip); return 0;
    case TTM_TRACKPOSITION:
        // Until a position is given, a tracking tip also goes to the pointer.
        tip->tracking = true;
        tip->trackAt = POINT(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (tip->shown)
            Show(hwnd, *tip);
        return 0;
    case TTM_TRACKACTIVATE:
        if (wParam)
            Show(hwnd, *tip);
        else
            Hide(hwnd, *tip);
        return 0;
    case TTM_RELAYEVENT: {
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        if (!m)
            return 0;
        if (m->message == WM_LBUTTONDOWN || m->message == WM_RBUTTONDOWN || m->message == WM_MBUTTONDOWN ||
            m->message == WM_MOUSELEAVE)
            Hide(hwnd, *tip);
        else if (m->message == WM_MOUSEMOVE && !tip->shown && tip->active && !tip->text.empty())
            SetTimer(hwnd, kShowTimer, tip->delay, nullptr);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

const wchar_t* ToolTipClassName()
{
    static const bool registered = [] {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &Proc;
        wc.lpszClassName = L"tooltips_class32";
        return RegisterSystemClassW(&wc) != 0;
    }();
    (void)registered;
    return L"tooltips_class32";
}

} // namespace tarn
