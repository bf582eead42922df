#include "tarnui/platform/x11/X11Connection.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

#include <string>

namespace tarn {

std::unique_ptr<X11Connection> X11Connection::Open(const char* name)
{
    Display* dpy = XOpenDisplay(name);
    if (!dpy)
        return nullptr;
    std::unique_ptr<X11Connection> c(new X11Connection());
    c->m_dpy = dpy;
    c->m_screen = DefaultScreen(dpy);
    c->m_root = RootWindow(dpy, c->m_screen);
    XVisualInfo info;
    if (!XMatchVisualInfo(dpy, c->m_screen, 32, TrueColor, &info))
        return nullptr;
    c->m_visual = info.visual;
    c->m_colormap = XCreateColormap(dpy, c->m_root, c->m_visual, AllocNone);
    int major = 0;
    int minor = 0;
    Bool pixmaps = False;
    // Shared memory only helps a local server; a remote one refuses the attach.
    c->m_shm = XShmQueryVersion(dpy, &major, &minor, &pixmaps) == True;
    int eventBase = 0;
    int errorBase = 0;
    c->m_shape = XShapeQueryExtension(dpy, &eventBase, &errorBase) == True;
    c->m_randr = XRRQueryExtension(dpy, &eventBase, &errorBase) == True;
    return c;
}

X11Connection::~X11Connection()
{
    if (!m_dpy)
        return;
    if (m_colormap)
        XFreeColormap(m_dpy, m_colormap);
    XCloseDisplay(m_dpy);
}

Atom X11Connection::Intern(const char* name) const { return XInternAtom(m_dpy, name, False); }

bool X11Connection::Composited() const
{
    const std::string name = "_NET_WM_CM_S" + std::to_string(m_screen);
    return XGetSelectionOwner(m_dpy, Intern(name.c_str())) != 0;
}

} // namespace tarn
