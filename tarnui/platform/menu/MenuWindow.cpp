#include "tarnui/platform/menu/MenuWindow.h"

#include "tarnui/platform/menu/MenuPainter.h"

#include <cwctype>

namespace tarn {

namespace {

MenuSession* SessionOf(HWND hwnd)
{
    return reinterpret_cast<MenuSession*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void SetHot(MenuSession& s, int hot)
{
    if (hot == s.hot)
        return;
    auto redraw = [&](int i) {
        if (i >= 0 && static_cast<size_t>(i) < s.layout.Count())
            InvalidateRect(s.window, &s.layout.Row(static_cast<size_t>(i)), FALSE);
    };
    redraw(s.hot);
    s.hot = hot;
    redraw(s.hot);
}

bool Selectable(const MenuSession& s, int i)
{
    return i >= 0 && static_cast<size_t>(i) < s.items.size() && s.items[static_cast<size_t>(i)].Selectable();
}

// The next selectable item from the highlighted one in a direction, wrapping around.
void Step(MenuSession& s, int dir)
{
    const int n = static_cast<int>(s.items.size());
    int i = s.hot >= 0 ? s.hot : (dir > 0 ? -1 : n);
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + dir) % n + n) % n;
        if (Selectable(s, i)) {
            SetHot(s, i);
            return;
        }
    }
}

void Choose(MenuSession& s, int i)
{
    if (Selectable(s, i))
        s.End(s.items[static_cast<size_t>(i)].id);
}

// The character after a single '&' of a text, 0 for none.
wchar_t Mnemonic(const std::wstring& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i + 1])));
        ++i;
    }
    return 0;
}

// A unique mnemonic chooses its item; a shared one moves the highlight among its items.
void TypeMnemonic(MenuSession& s, wchar_t ch)
{
    const auto key = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    std::vector<int> matches;
    for (size_t i = 0; i < s.items.size(); ++i) {
        if (s.items[i].Selectable() && Mnemonic(s.items[i].text) == key)
            matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1) {
        Choose(s, matches[0]);
        return;
    }
    for (int m : matches) {
        if (m > s.hot) {
            SetHot(s, m);
            return;
        }
    }
    if (!matches.empty())
        SetHot(s, matches[0]);
}

void Paint(HWND hwnd, const MenuSession& s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    MenuPainter::Paint(dc, s);
    EndPaint(hwnd, &ps);
}

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return TRUE;
    }
    MenuSession* s = SessionOf(hwnd);
    if (!s)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    const POINT at(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_MOUSEMOVE: {
        const int row = s->layout.HitTest(at);
        SetHot(*s, Selectable(*s, row) ? row : -1);
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd;
        TrackMouseEvent(&track);
        return 0;
    }
    case WM_MOUSELEAVE: SetHot(*s, -1); return 0;
    case WM_LBUTTONUP: Choose(*s, s->layout.HitTest(at)); return 0;
    case WM_RBUTTONUP:
        if (s->flags & TPM_RIGHTBUTTON)
            Choose(*s, s->layout.HitTest(at));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR: MenuWindow::Key(*s, msg, wParam); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            s->End(std::nullopt);
            return 0;
        }
        break;
    case WM_CANCELMODE: s->End(std::nullopt); return 0;
    case WM_DESTROY:
        s->End(std::nullopt);
        s->window = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

const wchar_t* MenuWindow::ClassName()
{
    static const bool registered = [] {
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &Proc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"#32768";
        return RegisterSystemClassW(&wc) != 0;
    }();
    (void)registered;
    return L"#32768";
}

HWND MenuWindow::Create(MenuSession& session, const RECT& rect)
{
    session.window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ClassName(), L"", WS_POPUP, rect.left, rect.top,
                                     rect.Width(), rect.Height(), session.owner, nullptr, nullptr, &session);
    return session.window;
}

void MenuWindow::Key(MenuSession& s, UINT msg, WPARAM wParam)
{
    if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        if (wParam > L' ')
            TypeMnemonic(s, static_cast<wchar_t>(wParam));
        return;
    }
    switch (wParam) {
    case VK_DOWN: Step(s, 1); break;
    case VK_UP: Step(s, -1); break;
    case VK_HOME: SetHot(s, -1); Step(s, 1); break;
    case VK_END: SetHot(s, -1); Step(s, -1); break;
    case VK_RETURN: Choose(s, s.hot); break;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10: s.End(std::nullopt); break;
    default: break;
    }
}

} // namespace tarn
