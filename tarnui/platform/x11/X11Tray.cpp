#include "tarnui/platform/ShellTray.h"

#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/gdi/IconObject.h"
#include "tarnui/platform/x11/X11Runtime.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <map>
#include <string>

namespace tarn {

namespace {

struct Icon {
    XWindow window = 0;
    UINT callback = 0;
    // A copy, as a shell takes it: the caller may destroy its HICON once the call returns.
    std::shared_ptr<IconObject> picture;
    Time lastPress = 0;
};

struct Tray {
    X11Backend* backend = nullptr;
    uint64_t generation = 0;
    int handler = 0;
    std::map<std::pair<HWND, UINT>, Icon> icons;
};

Tray& State()
{
    static Tray tray;
    return tray;
}

Atom TrayAtom(X11Connection& c)
{
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(c.ScreenNumber());
    return c.Intern(name.c_str());
}

bool Dock(X11Connection& c, XWindow icon)
{
    const XWindow manager = XGetSelectionOwner(c.Dpy(), TrayAtom(c));
    if (!manager)
        return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = manager;
    e.xclient.message_type = c.Intern("_NET_SYSTEM_TRAY_OPCODE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = 0;  // SYSTEM_TRAY_REQUEST_DOCK
    e.xclient.data.l[2] = static_cast<long>(icon);
    XSendEvent(c.Dpy(), manager, False, NoEventMask, &e);
    XFlush(c.Dpy());
    return true;
}

void Draw(X11Connection& c, const Icon& icon)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(c.Dpy(), icon.window, &a) || a.width <= 0 || a.height <= 0)
        return;
    const int size = std::min(a.width, a.height);
    std::vector<uint32_t> px;
    if (icon.picture)
        px = icon.picture->Pixels(size, size);
    if (px.size() != static_cast<size_t>(size * size)) {
        // Without an icon, a square still leaves something to click.
        px.assign(static_cast<size_t>(size * size), 0);
        for (int y = size / 6; y < size - size / 6; ++y)
            for (int x = size / 6; x < size - size / 6; ++x)
                px[static_cast<size_t>(y * size + x)] = 0xFF3A7BD5;
    }
    XImage* img = XCreateImage(c.Dpy(), c.ArgbVisual(), 32, ZPixmap, 0, reinterpret_cast<char*>(px.data()),
                               static_cast<unsigned>(size), static_cast<unsigned>(size), 32, size * 4);
    GC gc = XCreateGC(c.Dpy(), icon.window, 0, nullptr);
    XPutImage(c.Dpy(), icon.window, gc, img, 0, 0, (a.width - size) / 2, (a.height - size) / 2, static_cast<unsigned>(size),
              static_cast<unsigned>(size));
    XFreeGC(c.Dpy(), gc);
    img->data = nullptr;
    XDestroyImage(img);
    XFlush(c.Dpy());
}

bool OnEvent(XEvent& e)
{
    Tray& t = State();
    X11Connection& c = t.backend->Connection();
    if (e.type == ClientMessage && e.xclient.window == c.Root() && e.xclient.message_type == c.Intern("MANAGER")
        && static_cast<Atom>(e.xclient.data.l[1]) == TrayAtom(c)) {
        for (auto& [key, icon] : t.icons)
            Dock(c, icon.window);
        return false;
    }
    for (auto& [key, icon] : t.icons) {
        if (icon.window != e.xany.window)
            continue;
        const HWND owner = key.first;
        const WPARAM id = key.second;
        if (e.type == Expose && e.xexpose.count == 0) {
            Draw(c, icon);
        } else if (e.type == ButtonPress && e.xbutton.button == Button1) {
            const bool twice = icon.lastPress && e.xbutton.time - icon.lastPress <= GetDoubleClickTime();
            icon.lastPress = twice ? 0 : e.xbutton.time;
            PostMessageW(owner, icon.callback, id, twice ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
        } else if (e.type == ButtonRelease && e.xbutton.button == Button3) {
            PostMessageW(owner, icon.callback, id, WM_RBUTTONUP);
        }
        return true;
    }
    return false;
}

XWindow CreateIconWindow(X11Connection& c)
{
    XSetWindowAttributes attrs{};
    attrs.colormap = c.ArgbColormap();
    attrs.border_pixel = 0;
    attrs.background_pixel = 0;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    const XWindow w = XCreateWindow(c.Dpy(), c.Root(), 0, 0, 22, 22, 0, 32, InputOutput, c.ArgbVisual(),
                                    CWColormap | CWBorderPixel | CWBackPixel | CWEventMask, &attrs);
    // XEmbed version 0, mapped: the tray maps it once it has embedded it.
    const long info[2] = {0, 1};
    const Atom a = c.Intern("_XEMBED_INFO");
    XChangeProperty(c.Dpy(), w, a, a, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(info), 2);
    return w;
}

} // namespace

BOOL Shell_NotifyIconW(DWORD message, const NOTIFYICONDATAW* data)
{
    X11Backend* backend = X11Runtime::Active();
    if (!data || !backend || !IsWindow(data->hWnd))
        return FALSE;
    Tray& t = State();
    if (t.generation != X11Runtime::Generation()) {
        t.icons.clear();
        t.backend = backend;
        t.generation = X11Runtime::Generation();
        t.handler = backend->AddForeignHandler(OnEvent);
        XSelectInput(backend->Connection().Dpy(), backend->Connection().Root(), PropertyChangeMask | StructureNotifyMask);
    }
    X11Connection& c = backend->Connection();
    const auto key = std::make_pair(data->hWnd, data->uID);
    auto it = t.icons.find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != t.icons.end() || !XGetSelectionOwner(c.Dpy(), TrayAtom(c)))
            return FALSE;
        Icon icon;
        icon.window = CreateIconWindow(c);
        icon.callback = (data->uFlags & NIF_MESSAGE) ? data->uCallbackMessage : 0;
        if (data->uFlags & NIF_ICON)
            icon.picture = IconObject::From(data->hIcon);
        XStoreName(c.Dpy(), icon.window, "Corvane");
        if (!Dock(c, icon.window)) {
            XDestroyWindow(c.Dpy(), icon.window);
            return FALSE;
        }
        t.icons[key] = icon;
        return TRUE;
    }
    case NIM_MODIFY:
        if (it == t.icons.end())
            return FALSE;
        if (data->uFlags & NIF_MESSAGE)
            it->second.callback = data->uCallbackMessage;
        if (data->uFlags & NIF_ICON) {
            it->second.picture = IconObject::From(data->hIcon);
            Draw(c, it->second);
        }
        return TRUE;
    case NIM_DELETE:
        if (it == t.icons.end())
            return FALSE;
        XDestroyWindow(c.Dpy(), it->second.window);
        XFlush(c.Dpy());
        t.icons.erase(it);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace tarn
