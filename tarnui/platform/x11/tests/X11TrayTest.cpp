#include "tarnui/platform/ShellTray.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/extensions/XTest.h>

namespace tarn::test {
namespace {

using X11Tray = X11Fixture;

NOTIFYICONDATAW Data(HWND h)
{
    NOTIFYICONDATAW d;
    d.hWnd = h;
    d.uID = 109;
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.uCallbackMessage = 1690;
    return d;
}

TEST_F(X11Tray, AddFailsQuietlyWithoutATrayAndOnBadInput)
{
    HWND h = Create(RECT(0, 0, 50, 50));
    const NOTIFYICONDATAW d = Data(h);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &d));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &d));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, nullptr));
    NOTIFYICONDATAW stale = d;
    stale.hWnd = reinterpret_cast<HWND>(0x7777000000001);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &stale));
}

TEST_F(X11Tray, DocksWithARunningTrayAndPostsClicksAsTheCallback)
{
    // The probe plays the tray: it owns the selection and embeds what asks to dock.
    const ::Window host = XCreateSimpleWindow(m_probe, DefaultRootWindow(m_probe), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(m_probe, XInternAtom(m_probe, "_NET_SYSTEM_TRAY_S0", False), host, CurrentTime);
    XSync(m_probe, False);
    HWND h = Create(RECT(0, 0, 50, 50));
    const NOTIFYICONDATAW d = Data(h);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &d));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &d));

    XEvent e;
    ::Window icon = 0;
    for (int i = 0; i < 500 && !icon; ++i) {
        if (XCheckTypedWindowEvent(m_probe, host, ClientMessage, &e) && e.xclient.data.l[1] == 0)
            icon = static_cast<::Window>(e.xclient.data.l[2]);
        else
            Pump(2);
    }
    ASSERT_NE(icon, 0u);
    XMoveWindow(m_probe, icon, 900, 700);
    XMapRaised(m_probe, icon);
    XSync(m_probe, False);
    Pump(50);
    XTestFakeMotionEvent(m_probe, -1, 905, 705, 0);
    for (unsigned button : {1u, 1u, 3u}) {
        XTestFakeButtonEvent(m_probe, button, True, 0);
        XTestFakeButtonEvent(m_probe, button, False, 0);
    }
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return SeenOf(h, 1690).size() >= 3; }));
    const auto got = SeenOf(h, 1690);
    EXPECT_EQ(got[0].wParam, 109u);
    EXPECT_EQ(got[0].lParam, LPARAM(WM_LBUTTONDOWN));
    EXPECT_EQ(got[1].lParam, LPARAM(WM_LBUTTONDBLCLK));
    EXPECT_EQ(got[2].lParam, LPARAM(WM_RBUTTONUP));

    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &d));
    XDestroyWindow(m_probe, host);
    XSync(m_probe, False);
}

} // namespace
} // namespace tarn::test
