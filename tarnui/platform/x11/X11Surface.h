#pragma once

#include "tarnui/platform/Backend.h"
#include "tarnui/platform/x11/X11Connection.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <vector>

namespace tarn {

// The retained pixels of one top-level window and their way to the screen: a shared-memory
// image when the server allows it, otherwise a client-side image sent with XPutImage. Expose
// re-presents from here without asking the window to paint again.
class X11Surface {
public:
    X11Surface(const X11Connection& conn, XWindow window);
    ~X11Surface();
    X11Surface(const X11Surface&) = delete;
    X11Surface& operator=(const X11Surface&) = delete;

    // Keeps the pixels that still fit; new pixels are transparent.
    void Resize(int width, int height);
    PixelBuffer Pixels();
    void Present(const RECT& area);
    bool Painted() const { return m_painted; }
    // Without a compositor a translucent window shows through its shape: pixels of alpha 128 or
    // more are drawn, pixels of alpha 0 also let clicks through.
    void ApplyAlphaShape(bool visibleShape);

private:
    bool CreateShared(int width, int height);
    void CreatePlain(int width, int height);
    void Release();

    const X11Connection& m_conn;
    XWindow m_window;
    GC m_gc = nullptr;
    XImage* m_image = nullptr;
    XShmSegmentInfo m_shmInfo{};
    bool m_shared = false;
    bool m_painted = false;
    std::vector<uint32_t> m_plain;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tarn
