#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>

namespace tarn {

// The X id of a window; "Window" is the core's record in this namespace.
using XWindow = ::Window;

// One display connection with what every X11 piece needs from it: the 32-bit visual all our
// top-levels use, its colormap, the extensions present and interned atoms.
class X11Connection {
public:
    // Null when the display cannot be opened or offers no 32-bit TrueColor visual.
    static std::unique_ptr<X11Connection> Open(const char* name);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* Dpy() const { return m_dpy; }
    int ScreenNumber() const { return m_screen; }
    XWindow Root() const { return m_root; }
    Visual* ArgbVisual() const { return m_visual; }
    Colormap ArgbColormap() const { return m_colormap; }
    bool HasShm() const { return m_shm; }
    bool HasShape() const { return m_shape; }
    bool HasRandr() const { return m_randr; }
    Atom Intern(const char* name) const;
    // True when a compositing manager holds _NET_WM_CM_S<screen>.
    bool Composited() const;

private:
    X11Connection() = default;

    Display* m_dpy = nullptr;
    int m_screen = 0;
    XWindow m_root = 0;
    Visual* m_visual = nullptr;
    Colormap m_colormap = 0;
    bool m_shm = false;
    bool m_shape = false;
    bool m_randr = false;
};

} // namespace tarn
