// Before any Xlib header: its FocusIn and FocusOut macros would rename the router's calls.
#include "tarnui/platform/InputRouter.h"

#include "tarnui/platform/x11/X11Backend.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/gdi/IconObject.h"
#include "tarnui/platform/x11/X11Hints.h"
#include "tarnui/platform/x11/X11KeyMap.h"
#include "tarnui/platform/x11/X11Monitors.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

#include <algorithm>

namespace {
constexpr int FocusInType = FocusIn;
constexpr int FocusOutType = FocusOut;
} // namespace
#undef FocusIn
#undef FocusOut

namespace tarn {

namespace {

constexpr long WindowEvents = ExposureMask | StructureNotifyMask | PropertyChangeMask | FocusChangeMask | KeyPressMask
                              | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask
                              | LeaveWindowMask;

unsigned FontCursorOf(uintptr_t id)
{
    switch (id) {
    case 32513: return XC_xterm;
    case 32514: case 32650: return XC_watch;
    case 32515: return XC_crosshair;
    case 32516: return XC_sb_up_arrow;
    case 32642: return XC_bottom_right_corner;
    case 32643: return XC_bottom_left_corner;
    case 32644: return XC_sb_h_double_arrow;
    case 32645: return XC_sb_v_double_arrow;
    case 32646: return XC_fleur;
    case 32648: return XC_X_cursor;
    case 32649: return XC_hand2;
    case 32651: return XC_question_arrow;
    default: return XC_left_ptr;
    }
}

bool IsPopup(DWORD exStyle, bool owned)
{
    return (exStyle & WS_EX_NOACTIVATE) || (owned && (exStyle & WS_EX_TOOLWINDOW));
}

} // namespace

X11Backend::X11Backend(X11Connection& conn) : m_conn(conn)
{
    Display* dpy = conn.Dpy();
    // Work-area and monitor changes arrive on the root.
    XSelectInput(dpy, conn.Root(), PropertyChangeMask);
    if (conn.HasRandr()) {
        int errorBase = 0;
        XRRQueryExtension(dpy, &m_randrEvent, &errorBase);
        XRRSelectInput(dpy, conn.Root(), RRScreenChangeNotifyMask);
    }
}

X11Backend::~X11Backend()
{
    Display* dpy = m_conn.Dpy();
    for (auto& [hwnd, e] : m_entries) {
        e.surface.reset();
        XDestroyWindow(dpy, e.window);
    }
    for (auto& [id, c] : m_cursors)
        XFreeCursor(dpy, c);
    XFlush(dpy);
}

X11Backend::Entry* X11Backend::Find(HWND hwnd)
{
    auto it = m_entries.find(hwnd);
    return it == m_entries.end() ? nullptr : &it->second;
}

const X11Backend::Entry* X11Backend::Find(HWND hwnd) const
{
    auto it = m_entries.find(hwnd);
    return it == m_entries.end() ? nullptr : &it->second;
}

XWindow X11Backend::NativeOf(HWND hwnd) const
{
    const Entry* e = Find(hwnd);
    return e ? e->window : 0;
}

HWND X11Backend::HandleOf(XWindow window) const
{
    auto it = m_byWindow.find(window);
    return it == m_byWindow.end() ? nullptr : it->second;
}

void X11Backend::AddClientHandler(ClientHandler handler) { m_clientHandlers.push_back(std::move(handler)); }
int X11Backend::AddForeignHandler(ForeignHandler handler)
{
    m_foreignHandlers[++m_lastHandler] = std::move(handler);
    return m_lastHandler;
}

void X11Backend::RemoveForeignHandler(int id) { m_foreignHandlers.erase(id); }

std::vector<MonitorDesc> X11Backend::Monitors() const
{
    if (!m_monitors)
        m_monitors = X11Monitors::Query(m_conn);
    return *m_monitors;
}

bool X11Backend::WmRunning() const
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(m_conn.Dpy(), m_conn.Root(), m_conn.Intern("_NET_SUPPORTING_WM_CHECK"), 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &after, &data)
                           == Success
                       && data && count == 1;
    if (data)
        XFree(data);
    return found;
}

// Called with the core lock held, like every notification.
void X11Backend::WindowCreated(HWND hwnd, DWORD, DWORD exStyle)
{
    Display* dpy = m_conn.Dpy();
    const tarn::Window* w = WindowCore::Get().Find(hwnd);
    const bool owned = w && w->owner;
    Entry entry;
    entry.exStyle = exStyle;
    entry.popup = IsPopup(exStyle, owned);
    XSetWindowAttributes attrs{};
    attrs.colormap = m_conn.ArgbColormap();
    attrs.border_pixel = 0;
    attrs.background_pixel = 0;
    attrs.event_mask = WindowEvents;
    attrs.override_redirect = entry.popup ? True : False;
    attrs.bit_gravity = NorthWestGravity;
    const RECT r = w ? w->rect : RECT(0, 0, 1, 1);
    entry.rect = r;
    entry.window = XCreateWindow(dpy, m_conn.Root(), r.left, r.top, static_cast<unsigned>(std::max(1, r.Width())),
                                 static_cast<unsigned>(std::max(1, r.Height())), 0, 32, InputOutput, m_conn.ArgbVisual(),
                                 CWColormap | CWBorderPixel | CWBackPixel | CWEventMask | CWOverrideRedirect | CWBitGravity,
                                 &attrs);
    entry.surface = std::make_unique<X11Surface>(m_conn, entry.window);
    entry.surface->Resize(r.Width(), r.Height());
    X11Hints::SetClass(m_conn, entry.window, "corvane", "Corvane");
    X11Hints::SetProtocols(m_conn, entry.window);
    X11Hints::SetUndecorated(m_conn, entry.window);
    if (w)
        X11Hints::SetTitle(m_conn, entry.window, w->text);
    m_byWindow[entry.window] = hwnd;
    m_entries[hwnd] = std::move(entry);
    ApplyHints(hwnd, m_entries[hwnd]);
    if (w)
        WriteIcons(hwnd, m_entries[hwnd], w->iconSmall, w->iconBig);
}

void X11Backend::ApplyHints(HWND hwnd, Entry& entry)
{
    const tarn::Window* w = WindowCore::Get().Find(hwnd);
    if (!w || entry.popup)
        return;
    X11Hints::Role role;
    role.tool = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
    role.topmost = (w->exStyle & WS_EX_TOPMOST) != 0;
    role.dialog = w->owner != nullptr;
    if (const Entry* owner = Find(w->owner))
        role.transientFor = owner->window;
    X11Hints::SetRole(m_conn, entry.window, role);
    // Windows without a thick frame keep their size, as the main window does.
    const bool fixed = !(w->style & WS_THICKFRAME);
    X11Hints::SetPlacement(m_conn, entry.window, w->rect.left, w->rect.top, w->rect.Width(), w->rect.Height(), fixed);
}

void X11Backend::WindowDestroyed(HWND hwnd)
{
    Entry* e = Find(hwnd);
    if (!e)
        return;
    Ungrab(*e);
    e->surface.reset();
    XDestroyWindow(m_conn.Dpy(), e->window);
    XFlush(m_conn.Dpy());
    m_byWindow.erase(e->window);
    m_entries.erase(hwnd);
}

void X11Backend::GeometryChanged(HWND hwnd, const RECT& screen)
{
    Entry* e = Find(hwnd);
    if (!e)
        return;
    e->surface->Resize(screen.Width(), screen.Height());
    if (screen == e->rect)
        return;
    e->rect = screen;
    ApplyHints(hwnd, *e);
    XMoveResizeWindow(m_conn.Dpy(), e->window, screen.left, screen.top, static_cast<unsigned>(std::max(1, screen.Width())),
                      static_cast<unsigned>(std::max(1, screen.Height())));
    XFlush(m_conn.Dpy());
}

void X11Backend::VisibilityChanged(HWND hwnd, bool visible)
{
    Entry* e = Find(hwnd);
    if (!e)
        return;
    Display* dpy = m_conn.Dpy();
    if (!visible) {
        Ungrab(*e);
        XUnmapWindow(dpy, e->window);
        // A managed window is withdrawn only once the WM saw a synthetic unmap (ICCCM 4.1.4).
        if (!e->popup)
            XWithdrawWindow(dpy, e->window, m_conn.ScreenNumber());
        e->mapped = false;
        XFlush(dpy);
        return;
    }
    if (const tarn::Window* w = WindowCore::Get().Find(hwnd))
        e->exStyle = w->exStyle;
    ApplyHints(hwnd, *e);
    m_focusSerial = NextRequest(dpy);
    XMapRaised(dpy, e->window);
    e->mapped = true;
    if (e->popup && !(e->exStyle & WS_EX_NOACTIVATE)) {
        // Presses outside all our windows come to the popup, so it can lose the activation.
        e->grabbing = XGrabPointer(dpy, e->window, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                   GrabModeAsync, GrabModeAsync, None, None, CurrentTime)
                      == GrabSuccess;
    }
    XFlush(dpy);
}

void X11Backend::Ungrab(Entry& entry)
{
    if (!entry.grabbing)
        return;
    XUngrabPointer(m_conn.Dpy(), CurrentTime);
    entry.grabbing = false;
}

void X11Backend::TitleChanged(HWND hwnd, std::wstring_view title)
{
    if (Entry* e = Find(hwnd)) {
        X11Hints::SetTitle(m_conn, e->window, title);
        XFlush(m_conn.Dpy());
    }
}

void X11Backend::IconChanged(HWND hwnd, HICON small, HICON big)
{
    if (const Entry* e = Find(hwnd)) {
        WriteIcons(hwnd, *e, small, big);
        XFlush(m_conn.Dpy());
    }
}

// Every size the window has, largest first; the class's icons stand in for unset ones, as
// they do for a window's caption and task bar entry.
void X11Backend::WriteIcons(HWND hwnd, const Entry& entry, HICON small, HICON big)
{
    if (const tarn::Window* w = WindowCore::Get().Find(hwnd); w && w->cls) {
        if (!big)
            big = w->cls->wc.hIcon;
        if (!small)
            small = w->cls->wc.hIconSm;
    }
    std::vector<X11Hints::Icon> icons;
    for (HICON handle : {big, small}) {
        auto icon = IconObject::From(handle);
        if (!icon)
            continue;
        const bool known = std::any_of(icons.begin(), icons.end(), [&](const X11Hints::Icon& i) {
            return i.width == icon->Width() && i.height == icon->Height();
        });
        if (!known)
            icons.push_back({icon->Width(), icon->Height(), icon->Pixels()});
    }
    std::sort(icons.begin(), icons.end(), [](const auto& a, const auto& b) { return a.width * a.height > b.width * b.height; });
    X11Hints::SetIcons(m_conn, entry.window, icons);
}

void X11Backend::CursorChanged(HCURSOR cursor)
{
    auto id = reinterpret_cast<uintptr_t>(cursor);
    Display* dpy = m_conn.Dpy();
    Cursor c = 0;
    if (id) {
        auto it = m_cursors.find(id);
        if (it == m_cursors.end())
            it = m_cursors.emplace(id, XCreateFontCursor(dpy, FontCursorOf(id))).first;
        c = it->second;
    }
    if (c == m_current)
        return;
    m_current = c;
    for (auto& [hwnd, e] : m_entries)
        XDefineCursor(dpy, e.window, c);
    XFlush(dpy);
}

void X11Backend::StyleChanged(HWND hwnd, DWORD style, DWORD exStyle)
{
    Entry* e = Find(hwnd);
    if (!e)
        return;
    Display* dpy = m_conn.Dpy();
    const bool wasLayered = (e->exStyle & WS_EX_LAYERED) != 0;
    e->exStyle = exStyle;
    if (wasLayered && !(exStyle & WS_EX_LAYERED) && m_conn.HasShape()) {
        XShapeCombineMask(dpy, e->window, ShapeBounding, 0, 0, None, ShapeSet);
        XShapeCombineMask(dpy, e->window, ShapeInput, 0, 0, None, ShapeSet);
    }
    ApplyHints(hwnd, *e);
    if ((style & WS_MINIMIZE) && e->mapped && !e->popup)
        XIconifyWindow(dpy, e->window, m_conn.ScreenNumber());
    XFlush(dpy);
}

bool X11Backend::BeginSystemMove(HWND hwnd)
{
    Entry* e = Find(hwnd);
    if (!e || e->popup || !WmRunning())
        return false;
    const POINT at = WindowCore::Get().Ui().cursorPos;
    return X11Hints::RequestMove(m_conn, e->window, at.x, at.y);
}

PixelBuffer X11Backend::Backing(HWND hwnd)
{
    Entry* e = Find(hwnd);
    return e ? e->surface->Pixels() : PixelBuffer();
}

void X11Backend::Present(HWND hwnd, const RECT& area)
{
    Entry* e = Find(hwnd);
    if (!e)
        return;
    if (e->exStyle & WS_EX_LAYERED)
        e->surface->ApplyAlphaShape(!m_conn.Composited());
    e->surface->Present(area);
}

int X11Backend::EventFd() const { return ConnectionNumber(m_conn.Dpy()); }

bool X11Backend::Idle(std::optional<uint64_t>)
{
    // Replies read by earlier calls may have brought events along that poll will not see.
    if (XEventsQueued(m_conn.Dpy(), QueuedAlready) == 0)
        return false;
    ReadEvents();
    return true;
}

void X11Backend::ReadEvents()
{
    Display* dpy = m_conn.Dpy();
    while (XPending(dpy)) {
        XEvent e;
        XNextEvent(dpy, &e);
        Dispatch(e);
    }
}

void X11Backend::FocusTo(XWindow w)
{
    m_focusSerial = NextRequest(m_conn.Dpy());
    XSetInputFocus(m_conn.Dpy(), w, RevertToParent, CurrentTime);
}

void X11Backend::OnFocusLost()
{
    XWindow focus = 0;
    int revert = 0;
    XGetInputFocus(m_conn.Dpy(), &focus, &revert);
    // Focus moving between two of our windows is no deactivation of the program.
    if (HandleOf(focus))
        return;
    const HWND active = GetActiveWindow();
    const Entry* e = Find(active);
    // Our own unmap sent the focus to the root; without a WM nobody else hands it on.
    if (e && e->mapped && !e->popup && !WmRunning() && (focus == m_conn.Root() || focus == PointerRoot || focus == 0)) {
        FocusTo(e->window);
        return;
    }
    InputRouter::FocusOut();
}

void X11Backend::Dispatch(XEvent& e)
{
    if (e.type == GenericEvent || !HandleOf(e.xany.window)) {
        if (e.xany.window == m_conn.Root() && e.type == PropertyNotify)
            m_monitors.reset();
        if (m_randrEvent >= 0 && e.type == m_randrEvent + RRScreenChangeNotify) {
            XRRUpdateConfiguration(&e);
            m_monitors.reset();
        }
        // A handler may remove itself (or another) while it runs.
        const auto handlers = m_foreignHandlers;
        for (const auto& [id, h] : handlers) {
            if (m_foreignHandlers.count(id) && h(e))
                return;
        }
        if (e.type != ButtonPress && e.type != ButtonRelease && e.type != MotionNotify)
            return;
        // Pointer events of a popup's grab outside our windows fall through to routing.
    }
    const HWND hwnd = HandleOf(e.xany.window);
    switch (e.type) {
    case Expose:
        OnExpose(e.xexpose);
        break;
    case ConfigureNotify:
        OnConfigure(e.xconfigure);
        break;
    case MapNotify:
        OnMapped(e.xmap.window);
        break;
    case MotionNotify: {
        // Only the newest of a burst of moves matters.
        XEvent next;
        while (XCheckTypedWindowEvent(m_conn.Dpy(), e.xmotion.window, MotionNotify, &next))
            e = next;
        InputRouter::PointerMoved(POINT(e.xmotion.x_root, e.xmotion.y_root));
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        const bool down = e.type == ButtonPress;
        InputRouter::PointerMoved(POINT(e.xbutton.x_root, e.xbutton.y_root));
        // Click to focus, as a WM would do it, so keys follow the click's activation.
        if (down && hwnd && !Find(hwnd)->popup && !WmRunning())
            FocusTo(e.xbutton.window);
        switch (e.xbutton.button) {
        case Button1: InputRouter::Button(VK_LBUTTON, down); break;
        case Button2: InputRouter::Button(VK_MBUTTON, down); break;
        case Button3: InputRouter::Button(VK_RBUTTON, down); break;
        case Button4: if (down) InputRouter::Wheel(120); break;
        case Button5: if (down) InputRouter::Wheel(-120); break;
        default: break;
        }
        break;
    }
    case KeyPress:
    case KeyRelease: {
        const KeyPosition key = X11KeyMap::Translate(m_conn.Dpy(), e.xkey.keycode);
        const bool down = e.type == KeyPress;
        const wchar_t ch = down ? X11KeyMap::Character(e.xkey) : 0;
        if (key.virtualKey)
            InputRouter::Key(key.virtualKey, key.scanCode, key.extended, down, ch);
        break;
    }
    case FocusInType:
    case FocusOutType:
        // Grabs and pointer focus are no change of the focused window; focus events older
        // than our last own focus change describe a state the core has already left.
        if (e.xfocus.mode == NotifyGrab || e.xfocus.mode == NotifyUngrab || e.xfocus.detail == NotifyPointer
            || e.xfocus.detail == NotifyInferior || e.xfocus.serial < m_focusSerial)
            break;
        if (e.type == FocusInType)
            InputRouter::FocusIn(hwnd);
        else
            OnFocusLost();
        break;
    case LeaveNotify:
        if (e.xcrossing.mode == NotifyNormal)
            InputRouter::PointerMoved(POINT(e.xcrossing.x_root, e.xcrossing.y_root));
        break;
    case ClientMessage:
        OnClient(e.xclient);
        break;
    case PropertyNotify:
        if (e.xproperty.atom == m_conn.Intern("WM_STATE") && hwnd) {
            // The WM restored a window we minimised (taskbar, pager): the core follows.
            Atom type = 0;
            int format = 0;
            unsigned long count = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(m_conn.Dpy(), e.xproperty.window, e.xproperty.atom, 0, 2, False, AnyPropertyType, &type,
                                   &format, &count, &after, &data)
                    == Success
                && data && count >= 1) {
                const long state = reinterpret_cast<const long*>(data)[0];
                if (state == NormalState && IsIconic(hwnd))
                    ShowWindow(hwnd, SW_RESTORE);
                else if (state == IconicState && !IsIconic(hwnd) && IsWindowVisible(hwnd))
                    ShowWindow(hwnd, SW_MINIMIZE);
            }
            if (data)
                XFree(data);
        }
        break;
    default:
        break;
    }
}

void X11Backend::OnExpose(const XExposeEvent& e)
{
    const HWND hwnd = HandleOf(e.window);
    Entry* entry = Find(hwnd);
    if (!entry)
        return;
    const RECT r(e.x, e.y, e.x + e.width, e.y + e.height);
    if (entry->surface->Painted())
        entry->surface->Present(r);
    else
        InvalidateRect(hwnd, &r, FALSE);
}

void X11Backend::OnMapped(XWindow w)
{
    const HWND hwnd = HandleOf(w);
    Entry* e = Find(hwnd);
    if (!e || e->popup || (e->exStyle & WS_EX_NOACTIVATE))
        return;
    // With no WM nobody gives the focus: the window the core activated takes it.
    if (GetActiveWindow() == hwnd && !WmRunning())
        FocusTo(w);
}

void X11Backend::OnConfigure(const XConfigureEvent& e)
{
    const HWND hwnd = HandleOf(e.window);
    Entry* entry = Find(hwnd);
    if (!entry)
        return;
    int x = e.x;
    int y = e.y;
    if (!e.send_event && !entry->popup) {
        // A reparenting WM reports the position inside its frame.
        XWindow child = 0;
        XTranslateCoordinates(m_conn.Dpy(), e.window, m_conn.Root(), 0, 0, &x, &y, &child);
    }
    const RECT now(x, y, x + e.width, y + e.height);
    if (now == entry->rect)
        return;
    entry->rect = now;
    RECT core;
    if (!GetWindowRect(hwnd, &core) || core == now)
        return;
    // One-pixel placeholders of zero-sized windows are no size of the window's own.
    if (core.IsRectEmpty())
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(hwnd, nullptr, x, y, e.width, e.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Backend::OnClient(const XClientMessageEvent& e)
{
    const HWND hwnd = HandleOf(e.window);
    if (e.message_type == m_conn.Intern("WM_PROTOCOLS") && static_cast<Atom>(e.data.l[0]) == m_conn.Intern("WM_DELETE_WINDOW")) {
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return;
    }
    for (auto& h : m_clientHandlers) {
        if (h(e))
            return;
    }
}

} // namespace tarn
