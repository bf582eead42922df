#include "tarnui/platform/x11/X11Instance.h"

#include "tarnui/platform/InstanceWindow.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/x11/X11Hints.h"
#include "tarnui/platform/x11/X11Runtime.h"

#include <X11/Xatom.h>

#include <memory>

namespace tarn {

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

bool Marked(Display* dpy, XWindow w, Atom mark, const std::string& name)
{
    Atom type = 0;
    int format = 0;
    unsigned long n = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, w, mark, 0, 1024, False, AnyPropertyType, &type, &format, &n, &after, &data) != Success)
        return false;
    const bool match = data && format == 8 && std::string(reinterpret_cast<char*>(data), n) == name;
    if (data)
        XFree(data);
    return match;
}

std::vector<XWindow> Children(Display* dpy, XWindow w)
{
    XWindow root = 0;
    XWindow parent = 0;
    XWindow* kids = nullptr;
    unsigned n = 0;
    std::vector<XWindow> out;
    if (XQueryTree(dpy, w, &root, &parent, &kids, &n) && kids) {
        out.assign(kids, kids + n);
        XFree(kids);
    }
    return out;
}

bool SendTo(const wchar_t* name, const char* display, const char* type, long a, long b, long c)
{
    if (!name || !*name)
        return false;
    DisplayPtr dpy(XOpenDisplay(display));
    if (!dpy)
        return false;
    const XWindow w = X11Instance::Find(dpy.get(), X11Hints::ToUtf8(name));
    if (!w)
        return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(dpy.get(), type, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = a;
    e.xclient.data.l[1] = b;
    e.xclient.data.l[2] = c;
    const Status sent = XSendEvent(dpy.get(), w, False, NoEventMask, &e);
    XSync(dpy.get(), False);
    return sent != 0;
}

// 32-bit values on the wire: wParam is unsigned, lParam signed, as a 32-bit process sends them.
WPARAM WireWParam(long v) { return static_cast<WPARAM>(static_cast<uint32_t>(v)); }
LPARAM WireLParam(long v) { return static_cast<LPARAM>(static_cast<int32_t>(static_cast<uint32_t>(v))); }

} // namespace

XWindow X11Instance::Find(Display* dpy, const std::string& utf8Name)
{
    const Atom mark = XInternAtom(dpy, MarkAtom, False);
    const XWindow root = DefaultRootWindow(dpy);
    const auto top = Children(dpy, root);
    for (XWindow w : top) {
        if (Marked(dpy, w, mark, utf8Name))
            return w;
    }
    // Mapped windows of a reparenting WM sit inside its frames.
    for (XWindow w : top) {
        for (XWindow c : Children(dpy, w)) {
            if (Marked(dpy, c, mark, utf8Name))
                return c;
        }
    }
    return 0;
}

void X11Instance::Install(X11Backend& backend)
{
    X11Connection& conn = backend.Connection();
    const Atom post = conn.Intern(PostAtom);
    const Atom forward = conn.Intern(ForwardAtom);
    X11Backend* b = &backend;
    backend.AddClientHandler([b, post, forward](const XClientMessageEvent& e) {
        HWND hwnd;
        {
            auto& core = WindowCore::Get();
            auto lock = core.Lock();
            hwnd = b->HandleOf(e.window);
        }
        if (!hwnd)
            return false;
        if (e.message_type == post) {
            // Anyone on the display can send this: system messages would reach the window
            // procedures with pointers and states they never got from us.
            const auto msg = static_cast<UINT>(static_cast<uint32_t>(e.data.l[0]));
            if (msg >= WM_USER && msg <= 0x7FFF)
                PostMessageW(hwnd, msg, WireWParam(e.data.l[1]), WireLParam(e.data.l[2]));
            return true;
        }
        if (e.message_type == forward) {
            if (!IsWindowVisible(hwnd) || IsIconic(hwnd))
                ShowWindow(hwnd, SW_SHOWNORMAL);
            UpdateWindow(hwnd);
            SetForegroundWindow(hwnd);
            BringWindowToTop(hwnd);
            X11Connection& c = b->Connection();
            XRaiseWindow(c.Dpy(), e.window);
            if (X11Hints::Supports(c, "_NET_ACTIVE_WINDOW"))
                X11Hints::RequestActivation(c, e.window);
            XFlush(c.Dpy());
            return true;
        }
        return false;
    });
}

BOOL PublishInstanceWindow(HWND hwnd, const wchar_t* name)
{
    if (!name || !*name || !IsWindow(hwnd) || GetAncestor(hwnd, GA_ROOT) != hwnd) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!SetPropW(hwnd, name, reinterpret_cast<HANDLE>(1)))
        return FALSE;
    X11Backend* backend = X11Runtime::Active();
    if (!backend)
        return TRUE;
    XWindow w;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        w = backend->NativeOf(hwnd);
    }
    if (!w)
        return TRUE;
    X11Connection& conn = backend->Connection();
    const std::string utf8 = X11Hints::ToUtf8(name);
    XChangeProperty(conn.Dpy(), w, conn.Intern(X11Instance::MarkAtom), conn.Intern("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    XFlush(conn.Dpy());
    return TRUE;
}

uint64_t FindInstanceWindow(const wchar_t* name, const char* display)
{
    if (!name || !*name)
        return 0;
    DisplayPtr dpy(XOpenDisplay(display));
    return dpy ? X11Instance::Find(dpy.get(), X11Hints::ToUtf8(name)) : 0;
}

BOOL BringInstanceForward(const wchar_t* name, const char* display)
{
    return SendTo(name, display, X11Instance::ForwardAtom, 0, 0, 0) ? TRUE : FALSE;
}

BOOL PostInstanceMessage(const wchar_t* name, UINT msg, WPARAM wParam, LPARAM lParam, const char* display)
{
    return SendTo(name, display, X11Instance::PostAtom, static_cast<long>(msg), static_cast<long>(static_cast<uint32_t>(wParam)),
                  static_cast<long>(static_cast<uint32_t>(lParam)))
               ? TRUE
               : FALSE;
}

} // namespace tarn
