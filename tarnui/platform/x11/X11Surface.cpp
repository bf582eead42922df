#include "tarnui/platform/x11/X11Surface.h"

#include <X11/extensions/shape.h>

#include <algorithm>
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace tarn {

namespace {

// A refused attach (remote server, other user) is reported as an error event; catch it here
// instead of letting the default handler end the process.
bool g_attachFailed = false;
int CatchAttach(Display*, XErrorEvent*)
{
    g_attachFailed = true;
    return 0;
}

} // namespace

X11Surface::X11Surface(const X11Connection& conn, XWindow window) : m_conn(conn), m_window(window)
{
    m_gc = XCreateGC(conn.Dpy(), window, 0, nullptr);
}

X11Surface::~X11Surface()
{
    Release();
    XFreeGC(m_conn.Dpy(), m_gc);
}

void X11Surface::Release()
{
    Display* dpy = m_conn.Dpy();
    if (m_image) {
        if (m_shared) {
            XShmDetach(dpy, &m_shmInfo);
            XSync(dpy, False);
            shmdt(m_shmInfo.shmaddr);
        }
        // The pixels are ours (shared segment or vector), not Xlib's to free.
        m_image->data = nullptr;
        XDestroyImage(m_image);
    }
    m_image = nullptr;
    m_shared = false;
    m_shmInfo = {};
}

bool X11Surface::CreateShared(int width, int height)
{
    if (!m_conn.HasShm())
        return false;
    Display* dpy = m_conn.Dpy();
    XImage* image = XShmCreateImage(dpy, m_conn.ArgbVisual(), 32, ZPixmap, nullptr, &m_shmInfo,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return false;
    const auto bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height);
    m_shmInfo.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (m_shmInfo.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    m_shmInfo.shmaddr = static_cast<char*>(shmat(m_shmInfo.shmid, nullptr, 0));
    // Marked for removal at once: the segment goes away with the last detach, even on a crash.
    shmctl(m_shmInfo.shmid, IPC_RMID, nullptr);
    if (m_shmInfo.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(image);
        return false;
    }
    m_shmInfo.readOnly = False;
    XSync(dpy, False);
    g_attachFailed = false;
    auto* previous = XSetErrorHandler(CatchAttach);
    XShmAttach(dpy, &m_shmInfo);
    XSync(dpy, False);
    XSetErrorHandler(previous);
    if (g_attachFailed || image->bytes_per_line != width * 4) {
        if (!g_attachFailed)
            XShmDetach(dpy, &m_shmInfo);
        shmdt(m_shmInfo.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        m_shmInfo = {};
        return false;
    }
    image->data = m_shmInfo.shmaddr;
    std::memset(image->data, 0, bytes);
    m_image = image;
    m_shared = true;
    return true;
}

void X11Surface::CreatePlain(int width, int height)
{
    m_plain.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    m_image = XCreateImage(m_conn.Dpy(), m_conn.ArgbVisual(), 32, ZPixmap, 0, reinterpret_cast<char*>(m_plain.data()),
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 32, width * 4);
}

void X11Surface::Resize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height)
        return;
    std::vector<uint32_t> keep;
    const PixelBuffer old = Pixels();
    if (old.pixels) {
        keep.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        for (int y = 0; y < std::min(height, old.height); ++y)
            std::copy_n(old.pixels + static_cast<ptrdiff_t>(y) * old.stride, std::min(width, old.width),
                        keep.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    Release();
    m_width = width;
    m_height = height;
    if (width == 0 || height == 0)
        return;
    if (!CreateShared(width, height))
        CreatePlain(width, height);
    if (!keep.empty())
        std::copy(keep.begin(), keep.end(), Pixels().pixels);
}

PixelBuffer X11Surface::Pixels()
{
    if (!m_image)
        return {};
    return {reinterpret_cast<uint32_t*>(m_image->data), m_width, m_height, m_image->bytes_per_line / 4};
}

void X11Surface::Present(const RECT& area)
{
    RECT r;
    if (!m_image || !r.IntersectRect(area, RECT(0, 0, m_width, m_height)))
        return;
    m_painted = true;
    Display* dpy = m_conn.Dpy();
    const auto w = static_cast<unsigned>(r.Width());
    const auto h = static_cast<unsigned>(r.Height());
    if (m_shared) {
        XShmPutImage(dpy, m_window, m_gc, m_image, r.left, r.top, r.left, r.top, w, h, False);
        // The painter writes these pixels again next frame; the server must be done reading.
        XSync(dpy, False);
    } else {
        XPutImage(dpy, m_window, m_gc, m_image, r.left, r.top, r.left, r.top, w, h);
        XFlush(dpy);
    }
}

void X11Surface::ApplyAlphaShape(bool visibleShape)
{
    if (!m_conn.HasShape() || !m_image)
        return;
    const PixelBuffer px = Pixels();
    std::vector<XRectangle> bounding;
    std::vector<XRectangle> input;
    const auto runs = [&](uint32_t minAlpha, std::vector<XRectangle>& out) {
        for (int y = 0; y < px.height; ++y) {
            const uint32_t* row = px.pixels + static_cast<ptrdiff_t>(y) * px.stride;
            for (int x = 0; x < px.width;) {
                if ((row[x] >> 24) < minAlpha) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < px.width && (row[x] >> 24) >= minAlpha)
                    ++x;
                out.push_back({static_cast<short>(start), static_cast<short>(y), static_cast<unsigned short>(x - start), 1});
            }
        }
    };
    runs(1, input);
    Display* dpy = m_conn.Dpy();
    if (visibleShape) {
        runs(128, bounding);
        XShapeCombineRectangles(dpy, m_window, ShapeBounding, 0, 0, bounding.data(), static_cast<int>(bounding.size()),
                                ShapeSet, YXBanded);
    }
    XShapeCombineRectangles(dpy, m_window, ShapeInput, 0, 0, input.data(), static_cast<int>(input.size()), ShapeSet,
                            YXBanded);
}

} // namespace tarn
