#include "tarnui/platform/x11/X11Hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <string>
#include <unistd.h>

namespace tarn {

namespace {

void SetAtoms(const X11Connection& conn, XWindow w, const char* property, const std::vector<Atom>& values)
{
    XChangeProperty(conn.Dpy(), w, conn.Intern(property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

void SendToRoot(const X11Connection& conn, XWindow w, Atom type, const long (&data)[5])
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    for (int i = 0; i < 5; ++i)
        e.xclient.data.l[i] = data[i];
    XSendEvent(conn.Dpy(), conn.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

} // namespace

std::string X11Hints::ToUtf8(std::wstring_view text)
{
    std::string out;
    for (wchar_t wc : text) {
        auto c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void X11Hints::SetTitle(const X11Connection& conn, XWindow w, std::wstring_view title)
{
    const std::string utf8 = ToUtf8(title);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const int n = static_cast<int>(utf8.size());
    XChangeProperty(conn.Dpy(), w, conn.Intern("_NET_WM_NAME"), conn.Intern("UTF8_STRING"), 8, PropModeReplace, bytes, n);
    XChangeProperty(conn.Dpy(), w, conn.Intern("_NET_WM_ICON_NAME"), conn.Intern("UTF8_STRING"), 8, PropModeReplace, bytes,
                    n);
    // WM_NAME for old window managers: the same bytes, typed as UTF-8 text too.
    XChangeProperty(conn.Dpy(), w, XA_WM_NAME, conn.Intern("UTF8_STRING"), 8, PropModeReplace, bytes, n);
}

void X11Hints::SetClass(const X11Connection& conn, XWindow w, const char* instance, const char* cls)
{
    XClassHint hint;
    hint.res_name = const_cast<char*>(instance);
    hint.res_class = const_cast<char*>(cls);
    XSetClassHint(conn.Dpy(), w, &hint);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(conn.Dpy(), w, conn.Intern("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

void X11Hints::SetProtocols(const X11Connection& conn, XWindow w)
{
    Atom protocols[] = {conn.Intern("WM_DELETE_WINDOW")};
    XSetWMProtocols(conn.Dpy(), w, protocols, 1);
}

void X11Hints::SetUndecorated(const X11Connection& conn, XWindow w)
{
    // flags, functions, decorations, input mode, status: only "decorations: none" is set.
    const long motif[5] = {2, 0, 0, 0, 0};
    const Atom a = conn.Intern("_MOTIF_WM_HINTS");
    XChangeProperty(conn.Dpy(), w, a, a, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
}

void X11Hints::SetRole(const X11Connection& conn, XWindow w, const Role& role)
{
    std::vector<Atom> types;
    if (role.tool && !role.dialog)
        types.push_back(conn.Intern("_NET_WM_WINDOW_TYPE_UTILITY"));
    if (role.dialog)
        types.push_back(conn.Intern("_NET_WM_WINDOW_TYPE_DIALOG"));
    types.push_back(conn.Intern("_NET_WM_WINDOW_TYPE_NORMAL"));
    SetAtoms(conn, w, "_NET_WM_WINDOW_TYPE", types);
    std::vector<Atom> state;
    if (role.tool) {
        state.push_back(conn.Intern("_NET_WM_STATE_SKIP_TASKBAR"));
        state.push_back(conn.Intern("_NET_WM_STATE_SKIP_PAGER"));
    }
    if (role.topmost)
        state.push_back(conn.Intern("_NET_WM_STATE_ABOVE"));
    SetAtoms(conn, w, "_NET_WM_STATE", state);
    if (role.transientFor)
        XSetTransientForHint(conn.Dpy(), w, role.transientFor);
}

void X11Hints::SetPlacement(const X11Connection& conn, XWindow w, int x, int y, int width, int height, bool fixedSize)
{
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = USPosition | PPosition | USSize | PSize;
    hints->x = x;
    hints->y = y;
    hints->width = width;
    hints->height = height;
    if (fixedSize) {
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
    }
    hints->flags |= PWinGravity;
    hints->win_gravity = StaticGravity;
    XSetWMNormalHints(conn.Dpy(), w, hints);
    XFree(hints);
}

void X11Hints::SetIcons(const X11Connection& conn, XWindow w, const std::vector<Icon>& icons)
{
    // Width, height, then the pixels, each a CARDINAL (a C long for Xlib, even on 64-bit).
    std::vector<long> data;
    for (const auto& icon : icons) {
        if (icon.width <= 0 || icon.height <= 0 || icon.pixels.size() != static_cast<size_t>(icon.width * icon.height))
            continue;
        data.push_back(icon.width);
        data.push_back(icon.height);
        for (uint32_t p : icon.pixels) {
            // _NET_WM_ICON wants straight alpha.
            const uint32_t a = p >> 24;
            uint32_t out = p;
            if (a != 0 && a != 255) {
                const auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
                out = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
            }
            data.push_back(static_cast<long>(out));
        }
    }
    const Atom a = conn.Intern("_NET_WM_ICON");
    if (data.empty()) {
        XDeleteProperty(conn.Dpy(), w, a);
        return;
    }
    XChangeProperty(conn.Dpy(), w, a, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                    static_cast<int>(data.size()));
}

bool X11Hints::Supports(const X11Connection& conn, const char* atomName)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(conn.Dpy(), conn.Root(), conn.Intern("_NET_SUPPORTED"), 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &after, &data)
            != Success
        || !data)
        return false;
    const Atom wanted = conn.Intern(atomName);
    bool found = false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count && !found; ++i)
        found = atoms[i] == wanted;
    XFree(data);
    return found;
}

void X11Hints::RequestActivation(const X11Connection& conn, XWindow w)
{
    SendToRoot(conn, w, conn.Intern("_NET_ACTIVE_WINDOW"), {2, CurrentTime, 0, 0, 0});
}

bool X11Hints::RequestMove(const X11Connection& conn, XWindow w, int rootX, int rootY)
{
    if (!Supports(conn, "_NET_WM_MOVERESIZE"))
        return false;
    // The WM takes the pointer over: our implicit grab of the press has to go first.
    XUngrabPointer(conn.Dpy(), CurrentTime);
    SendToRoot(conn, w, conn.Intern("_NET_WM_MOVERESIZE"), {rootX, rootY, 8, 1, 1});
    XFlush(conn.Dpy());
    return true;
}

} // namespace tarn
