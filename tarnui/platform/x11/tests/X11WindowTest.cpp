#include "tarnui/platform/KeyPositions.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

#include <string>

namespace tarn::test {
namespace {

using X11Window = X11Fixture;

std::string Utf8Property(Display* dpy, ::Window w, const char* name)
{
    Atom type = 0;
    int format = 0;
    unsigned long n = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 1024, False, AnyPropertyType, &type, &format, &n, &after,
                       &data);
    std::string s = data ? std::string(reinterpret_cast<char*>(data), n) : std::string();
    if (data)
        XFree(data);
    return s;
}

TEST_F(X11Window, PaintedPixelsReachTheScreenAndTheWindowCarriesItsHints)
{
    HWND h = Create(RECT(100, 80, 300, 230), 0, nullptr, L"Corvane \u00dcn\u00efcode \u2713");
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(h); }));
    Fill(h, RECT(0, 0, 100, 150), 0xFFFF0000);
    Fill(h, RECT(100, 0, 200, 150), 0xFF0000FF);
    ASSERT_TRUE(m_session->Present(h, RECT(0, 0, 200, 150)));
    m_session->Sync();
    EXPECT_EQ(ReadPixel(h, 10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ReadPixel(h, 150, 140) & 0xFFFFFF, 0x0000FFu);

    // A second expose re-presents the retained pixels without a repaint of ours.
    XClearArea(m_probe, Native(h), 0, 0, 0, 0, True);
    XFlush(m_probe);
    Pump(100);
    EXPECT_EQ(ReadPixel(h, 10, 10) & 0xFFFFFF, 0xFF0000u);

    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(m_probe, Native(h), &a));
    EXPECT_EQ(a.depth, 32);
    EXPECT_EQ(Utf8Property(m_probe, Native(h), "_NET_WM_NAME"), "Corvane \xC3\x9Cn\xC3\xAF" "code \xE2\x9C\x93");
    EXPECT_EQ(Utf8Property(m_probe, Native(h), "WM_CLASS"), std::string("corvane\0Corvane\0", 16));

    // Geometry follows the core: a move and a resize.
    ASSERT_TRUE(SetWindowPos(h, nullptr, 140, 90, 120, 60, SWP_NOZORDER | SWP_NOACTIVATE));
    m_session->Sync();
    ::Window child = 0;
    int x = 0;
    int y = 0;
    XTranslateCoordinates(m_probe, Native(h), DefaultRootWindow(m_probe), 0, 0, &x, &y, &child);
    ASSERT_TRUE(XGetWindowAttributes(m_probe, Native(h), &a));
    EXPECT_EQ(RECT(x, y, x + a.width, y + a.height), RECT(140, 90, 260, 150));
}

TEST_F(X11Window, InjectedClickAndKeyReachTheWindowUnderThePointerAndInFocus)
{
    HWND left = Create(RECT(50, 300, 250, 400));
    HWND right = Create(RECT(300, 300, 500, 400));
    ASSERT_TRUE(PumpUntil([&] { return Viewable(left) && Viewable(right); }));
    XTestFakeMotionEvent(m_probe, -1, 340, 325, 0);
    XTestFakeButtonEvent(m_probe, 1, True, 0);
    XTestFakeButtonEvent(m_probe, 1, False, 0);
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return !SeenOf(right, WM_LBUTTONUP).empty(); }));
    const auto downs = SeenOf(right, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 40);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 25);
    EXPECT_TRUE(SeenOf(left, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(GetActiveWindow(), right);

    const KeyCode a = XKeysymToKeycode(m_probe, XK_a);
    XTestFakeKeyEvent(m_probe, a, True, 0);
    XTestFakeKeyEvent(m_probe, a, False, 0);
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return !SeenOf(right, WM_KEYUP).empty(); }));
    ASSERT_EQ(SeenOf(right, WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(SeenOf(right, WM_KEYDOWN)[0].wParam, WPARAM('A'));
    EXPECT_EQ((SeenOf(right, WM_KEYDOWN)[0].lParam >> 16) & 0xFF, LPARAM(a - 8));
    ASSERT_EQ(SeenOf(right, WM_CHAR).size(), 1u);
    EXPECT_EQ(SeenOf(right, WM_CHAR)[0].wParam, WPARAM('a'));

    // The installed key table decides by position, over the layout's keysym.
    const KeyPosition row{static_cast<uint16_t>(a), 'Q', 30, false};
    SetKeyPositions(std::span(&row, 1));
    XTestFakeKeyEvent(m_probe, a, True, 0);
    XTestFakeKeyEvent(m_probe, a, False, 0);
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return SeenOf(right, WM_KEYUP).size() == 2; }));
    SetKeyPositions({});
    EXPECT_EQ(SeenOf(right, WM_KEYDOWN)[1].wParam, WPARAM('Q'));
}

// The bounding box of a window's shape of one kind.
static RECT ShapeExtents(Display* probe, ::Window window, int kind)
{
    int count = 0;
    int ordering = 0;
    XRectangle* rects = XShapeGetRectangles(probe, window, kind, &count, &ordering);
    RECT box;
    for (int i = 0; i < count; ++i)
        box.UnionRect(box, RECT(rects[i].x, rects[i].y, rects[i].x + rects[i].width, rects[i].y + rects[i].height));
    if (rects)
        XFree(rects);
    return box;
}

TEST_F(X11Window, LayeredWindowWithoutCompositorIsShapedByItsAlpha)
{
    if (m_session->Composited())
        GTEST_SKIP() << "a compositor runs; translucency needs no shape";
    HWND h = Create(RECT(600, 100, 700, 140), WS_EX_LAYERED);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(h); }));
    Fill(h, RECT(0, 0, 100, 40), 0x00000000);
    Fill(h, RECT(60, 0, 100, 40), 0xFF20A040);
    Fill(h, RECT(40, 0, 60, 40), 0x40100000);  // faint: lets clicks in, shows nothing
    m_session->Present(h, RECT(0, 0, 100, 40));
    m_session->Sync();
    EXPECT_EQ(ShapeExtents(m_probe, Native(h), ShapeBounding), RECT(60, 0, 100, 40));
    EXPECT_EQ(ShapeExtents(m_probe, Native(h), ShapeInput), RECT(40, 0, 100, 40));

    // Made layered after it was shown, and plain again: the shape follows the style.
    HWND later = Create(RECT(600, 200, 700, 240), 0);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(later); }));
    SetWindowLongW(later, GWL_EXSTYLE, WS_EX_LAYERED);
    Fill(later, RECT(0, 0, 100, 40), 0x00000000);
    Fill(later, RECT(0, 0, 30, 40), 0xFF20A040);
    m_session->Present(later, RECT(0, 0, 100, 40));
    m_session->Sync();
    EXPECT_EQ(ShapeExtents(m_probe, Native(later), ShapeBounding), RECT(0, 0, 30, 40));
    SetWindowLongW(later, GWL_EXSTYLE, 0);
    m_session->Sync();
    EXPECT_EQ(ShapeExtents(m_probe, Native(later), ShapeBounding), RECT(0, 0, 100, 40));
}

} // namespace
} // namespace tarn::test
