#include "tarnui/platform/ShellTray.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdi/tests/IcoBuilder.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/Xatom.h>

namespace tarn::test {
namespace {

using X11Icon = X11Fixture;

// Straight ARGB quadrants: red top-left, half-transparent green top-right, blue below.
uint32_t Quadrants(int x, int y, int size)
{
    if (y >= size / 2)
        return 0xFF0000FF;
    return x < size / 2 ? 0xFFFF0000 : 0x8000FF00;
}

HICON MakeIcon(int size)
{
    const auto bytes = IcoBuilder::Dib32(size, [size](int x, int y) { return Quadrants(x, y, size); });
    return CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, 0, 0, 0);
}

// _NET_WM_ICON as a window manager reads it: width, height, pixels, for each size. Xlib
// hands 32-bit items out as longs, sign-extended.
std::vector<uint32_t> IconProperty(Display* dpy, ::Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<uint32_t> out;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_WM_ICON", False), 0, 1 << 20, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data)
            == Success
        && data && format == 32) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            out.push_back(static_cast<uint32_t>(values[i] & 0xFFFFFFFF));
    }
    if (data)
        XFree(data);
    return out;
}

TEST_F(X11Icon, SetIconWritesEverySizeAsStraightArgb)
{
    HWND h = Create(RECT(0, 0, 60, 60));
    HICON small = MakeIcon(16);
    HICON big = MakeIcon(32);
    ASSERT_TRUE(small && big);
    SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    m_session->Sync();

    const auto prop = IconProperty(m_probe, Native(h));
    ASSERT_EQ(prop.size(), 2 + 32 * 32 + 2 + 16 * 16u);
    EXPECT_EQ(prop[0], 32u);
    EXPECT_EQ(prop[1], 32u);
    const uint32_t* big32 = &prop[2];
    EXPECT_EQ(big32[2 * 32 + 2], 0xFFFF0000u);
    EXPECT_EQ(big32[2 * 32 + 30], 0x8000FF00u);  // alpha kept, colour not darkened
    EXPECT_EQ(big32[30 * 32 + 2], 0xFF0000FFu);
    const uint32_t* small16 = &prop[2 + 32 * 32];
    EXPECT_EQ(small16[0], 16u);
    EXPECT_EQ(small16[1], 16u);
    EXPECT_EQ(small16[2 + 1 * 16 + 1], 0xFFFF0000u);

    // Both cleared: the property goes, so the WM shows its own.
    SendMessageW(h, WM_SETICON, ICON_SMALL, 0);
    SendMessageW(h, WM_SETICON, ICON_BIG, 0);
    m_session->Sync();
    EXPECT_TRUE(IconProperty(m_probe, Native(h)).empty());
    DestroyIcon(small);
    DestroyIcon(big);
}

TEST_F(X11Icon, ClassIconStandsInUntilTheWindowHasItsOwn)
{
    HICON big = MakeIcon(32);
    WNDCLASSEXW wc;
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = L"X11IconClass";
    wc.hIcon = big;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    HWND h = CreateWindowExW(0, L"X11IconClass", L"", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    m_session->Sync();
    auto prop = IconProperty(m_probe, Native(h));
    ASSERT_EQ(prop.size(), 2 + 32 * 32u);

    HICON small = MakeIcon(16);
    SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    m_session->Sync();
    prop = IconProperty(m_probe, Native(h));
    EXPECT_EQ(prop.size(), 2 + 32 * 32 + 2 + 16 * 16u);
    DestroyWindow(h);
    UnregisterClassW(L"X11IconClass", nullptr);
    DestroyIcon(small);
    DestroyIcon(big);
}

// Reads a pixel of a window the probe does not own, through its 32-bit visual.
uint32_t PixelOf(Display* dpy, ::Window w, int x, int y)
{
    XImage* img = XGetImage(dpy, w, x, y, 1, 1, ~0ul, ZPixmap);
    if (!img)
        return 0xDEADBEEF;
    const auto v = static_cast<uint32_t>(XGetPixel(img, 0, 0));
    XDestroyImage(img);
    return v;
}

TEST_F(X11Icon, TrayShowsTheIconScaledToItsSlot)
{
    const ::Window host = XCreateSimpleWindow(m_probe, DefaultRootWindow(m_probe), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(m_probe, XInternAtom(m_probe, "_NET_SYSTEM_TRAY_S0", False), host, CurrentTime);
    XSync(m_probe, False);
    HWND h = Create(RECT(0, 0, 50, 50));
    HICON icon = MakeIcon(16);
    NOTIFYICONDATAW d;
    d.hWnd = h;
    d.uID = 109;
    d.uFlags = NIF_MESSAGE | NIF_ICON;
    d.uCallbackMessage = 1690;
    d.hIcon = icon;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &d));
    // The tray keeps its own copy.
    DestroyIcon(icon);

    XEvent e;
    ::Window slot = 0;
    for (int i = 0; i < 500 && !slot; ++i) {
        if (XCheckTypedWindowEvent(m_probe, host, ClientMessage, &e) && e.xclient.data.l[1] == 0)
            slot = static_cast<::Window>(e.xclient.data.l[2]);
        else
            Pump(2);
    }
    ASSERT_NE(slot, 0u);
    // The tray gives the icon a 32-pixel slot.
    XMoveResizeWindow(m_probe, slot, 800, 600, 32, 32);
    XMapRaised(m_probe, slot);
    XSync(m_probe, False);
    ASSERT_TRUE(PumpUntil([&] { return PixelOf(m_probe, slot, 4, 4) == 0xFFFF0000u; }));
    EXPECT_EQ(PixelOf(m_probe, slot, 4, 28), 0xFF0000FFu);
    // Premultiplied on the ARGB visual.
    EXPECT_EQ(PixelOf(m_probe, slot, 28, 4), 0x80008000u);

    // A new icon replaces the picture at once.
    const auto bytes = IcoBuilder::Dib32(16, [](int, int) { return 0xFFFFFF00u; });
    HICON yellow = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, 0, 0, 0);
    d.uFlags = NIF_ICON;
    d.hIcon = yellow;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &d));
    ASSERT_TRUE(PumpUntil([&] { return PixelOf(m_probe, slot, 4, 28) == 0xFFFFFF00u; }));
    DestroyIcon(yellow);

    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &d));
    XDestroyWindow(m_probe, host);
    XSync(m_probe, False);
}

} // namespace
} // namespace tarn::test
