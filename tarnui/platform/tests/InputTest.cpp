#include "HeadlessFixture.h"

using namespace tarn;
using tarn::test::HeadlessFixture;

using InputTest = HeadlessFixture;

TEST_F(InputTest, DoubleClickNeedsTheClassTheTimeAndTheSpot)
{
    struct Case {
        const char* what;
        const wchar_t* cls;
        uint32_t gapMs;
        int dx;
        UINT firstButton;
        UINT expected;
    };
    const Case cases[] = {
        {"quick second press", L"TestWindow", 0, 0, VK_LBUTTON, WM_LBUTTONDBLCLK},
        {"at the double-click time", L"TestWindow", 500, 0, VK_LBUTTON, WM_LBUTTONDBLCLK},
        {"too late", L"TestWindow", 501, 0, VK_LBUTTON, WM_LBUTTONDOWN},
        {"2 pixels away", L"TestWindow", 100, 2, VK_LBUTTON, WM_LBUTTONDBLCLK},
        {"3 pixels away", L"TestWindow", 100, 3, VK_LBUTTON, WM_LBUTTONDOWN},
        {"other button first", L"TestWindow", 100, 0, VK_RBUTTON, WM_LBUTTONDOWN},
        {"class without CS_DBLCLKS", L"PlainWindow", 0, 0, VK_LBUTTON, WM_LBUTTONDOWN},
    };
    for (const auto& k : cases) {
        HWND w = Create(RECT(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, nullptr, 0, L"T", k.cls);
        host.Click(POINT(50, 50), k.firstButton);
        host.PumpUntilIdle();
        host.Advance(k.gapMs);
        log.clear();
        host.Click(POINT(50 + k.dx, 50));
        host.PumpUntilIdle();
        EXPECT_EQ(Messages(w, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), std::vector<UINT>{k.expected}) << k.what;
        DestroyWindow(w);
        host.Advance(1000);
    }
}

TEST_F(InputTest, AThirdPressIsAPressAgain)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    for (int i = 0; i < 3; ++i)
        host.Click(POINT(10, 10));
    host.PumpUntilIdle();
    EXPECT_EQ(Messages(w, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
    const auto up = Of(WM_LBUTTONUP);
    ASSERT_EQ(up.size(), 3u);
    EXPECT_EQ(up[0].wParam & MK_LBUTTON, 0u);
    EXPECT_EQ(Of(WM_LBUTTONDOWN)[0].wParam & MK_LBUTTON, MK_LBUTTON);
}

TEST_F(InputTest, HoverAndLeaveAreOneShot)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    HWND child = Create(RECT(60, 60, 90, 90), WS_CHILD | WS_VISIBLE, w);
    host.MoveMouse(POINT(10, 10));
    host.PumpUntilIdle();
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = w;
    tme.dwHoverTime = HOVER_DEFAULT;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    host.Advance(300);
    host.MoveMouse(POINT(13, 10)); // more than 2 pixels: hover timing starts over
    host.Advance(399);
    EXPECT_TRUE(Of(WM_MOUSEHOVER).empty());
    host.Advance(1);
    ASSERT_EQ(Of(WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(Of(WM_MOUSEHOVER)[0].lParam), 13);
    host.Advance(1000);
    EXPECT_EQ(Of(WM_MOUSEHOVER).size(), 1u);

    host.MoveMouse(POINT(70, 70)); // into the child: the tracked window is left
    host.PumpUntilIdle();
    ASSERT_EQ(Of(WM_MOUSELEAVE).size(), 1u);
    EXPECT_EQ(Of(WM_MOUSELEAVE)[0].hwnd, w);
    host.MoveMouse(POINT(500, 500));
    host.PumpUntilIdle();
    EXPECT_EQ(Of(WM_MOUSELEAVE).size(), 1u);

    // Asking for a leave the pointer already made reports it at once.
    tme.dwFlags = TME_LEAVE;
    ASSERT_TRUE(TrackMouseEvent(&tme));
    host.PumpUntilIdle();
    EXPECT_EQ(Of(WM_MOUSELEAVE).size(), 2u);
    (void)child;
}

TEST_F(InputTest, CaptureTakesThePointerOutsideAndReleaseTellsTheWindow)
{
    HWND a = Create(RECT(0, 0, 100, 100));
    HWND b = Create(RECT(200, 0, 300, 100), WS_POPUP | WS_VISIBLE, nullptr, WS_EX_NOACTIVATE);
    SetCapture(a);
    host.MoveMouse(POINT(250, 50));
    host.PumpUntilIdle();
    auto moves = Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 250);
    host.MoveMouse(POINT(-30, -5));
    host.PumpUntilIdle();
    EXPECT_EQ(GET_X_LPARAM(Of(WM_MOUSEMOVE).back().lParam), -30); // signed words
    EXPECT_EQ(GET_Y_LPARAM(Of(WM_MOUSEMOVE).back().lParam), -5);
    ReleaseCapture();
    ASSERT_EQ(Of(WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(Of(WM_CAPTURECHANGED)[0].hwnd, a);
    EXPECT_EQ(GetCapture(), nullptr);
    host.MoveMouse(POINT(260, 50));
    host.PumpUntilIdle();
    EXPECT_EQ(Of(WM_MOUSEMOVE).back().hwnd, b);
}

TEST_F(InputTest, KeyStateFollowsRetrievedMessages)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    SetFocus(w);
    host.KeyDown(VK_LCONTROL);
    host.KeyDown(VK_SHIFT);
    EXPECT_TRUE(GetAsyncKeyState(VK_CONTROL) & 0x8000);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0); // not retrieved yet
    host.PumpUntilIdle();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(Of(WM_KEYDOWN)[0].wParam, VK_CONTROL); // the generic code travels in the message
    host.KeyUp(VK_LCONTROL);
    host.PumpUntilIdle();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);

    // With Alt held, keys are system keys and carry the context bit.
    host.KeyUp(VK_SHIFT);
    host.KeyDown(VK_MENU);
    host.KeyDown('A', L'a');
    host.PumpUntilIdle();
    ASSERT_EQ(Of(WM_SYSKEYDOWN).size(), 2u);
    EXPECT_TRUE(static_cast<uint32_t>(Of(WM_SYSKEYDOWN)[1].lParam) & (1u << 29));
    EXPECT_EQ(Of(WM_SYSCHAR).size(), 1u);
}

TEST_F(InputTest, AltF4ClosesTheWindowThroughSysCommand)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    host.KeyDown(VK_MENU);
    host.KeyDown(VK_F4);
    host.PumpUntilIdle();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(Messages(w, {WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    ASSERT_EQ(Of(WM_CLOSE).size(), 1u);
    EXPECT_EQ(Of(WM_CLOSE)[0].wParam, 0u);
}

TEST_F(InputTest, CaptionDragMovesTheWindowByTheDelta)
{
    struct Case {
        const char* what;
        POINT to;
        bool escape;
        POINT expected;
    };
    const Case cases[] = {
        {"drag right and down", POINT(170, 140), false, POINT(170, 120)},
        {"drag up and left off the screen", POINT(30, 10), false, POINT(30, -10)},
        {"escape puts it back", POINT(300, 300), true, POINT(100, 100)},
    };
    // A press nobody takes becomes a caption press, as the dialog's window drag does.
    handler = [](HWND h, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_LBUTTONDOWN) {
            ReleaseCapture();
            SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, lp);
            return 0;
        }
        return std::nullopt;
    };
    for (const auto& k : cases) {
        HWND w = Create(RECT(100, 100, 300, 250));
        host.MoveMouse(POINT(100, 120));
        host.Press();
        host.Schedule(10, [&] { host.MoveMouse(POINT(110, 125)); });
        host.Schedule(20, [&] { host.MoveMouse(k.to); });
        host.Schedule(30, [&] {
            if (k.escape)
                host.KeyDown(VK_ESCAPE);
            host.Release();
        });
        host.PumpUntilIdle();
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_EQ(r.TopLeft(), k.expected) << k.what;
        EXPECT_EQ(r.Size(), SIZE(200, 150)) << k.what;
        EXPECT_EQ(GetCapture(), nullptr) << k.what;
        EXPECT_EQ(Messages(w, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}), (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE})) << k.what;
        host.KeyUp(VK_ESCAPE);
        DestroyWindow(w);
        host.PumpUntilIdle();
        log.clear();
    }
}

TEST_F(InputTest, DisabledWindowsTakeNoInputAndDisabledChildrenPassItOn)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    HWND child = Create(RECT(10, 10, 50, 50), WS_CHILD | WS_VISIBLE, w);
    EnableWindow(child, FALSE);
    host.Click(POINT(20, 20));
    host.PumpUntilIdle();
    ASSERT_EQ(Of(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(Of(WM_LBUTTONDOWN)[0].hwnd, w);
    EXPECT_EQ(GET_X_LPARAM(Of(WM_LBUTTONDOWN)[0].lParam), 20);
    EnableWindow(w, FALSE);
    host.Advance(1000);
    host.Click(POINT(20, 20));
    host.Wheel(120);
    host.PumpUntilIdle();
    EXPECT_EQ(Of(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(Of(WM_MOUSEWHEEL).empty());
    EXPECT_EQ(Of(WM_ENABLE).size(), 2u);
}

TEST_F(InputTest, WheelAndCursor)
{
    WNDCLASSEXW wc;
    GetClassInfoExW(nullptr, L"TestWindow", &wc);
    wc.lpszClassName = L"HandWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    ASSERT_TRUE(RegisterClassExW(&wc));
    HWND w = Create(RECT(100, 100, 200, 200), WS_POPUP | WS_VISIBLE, nullptr, 0, L"H", L"HandWindow");
    host.MoveMouse(POINT(150, 160));
    host.KeyDown(VK_SHIFT);
    host.Wheel(-60);
    host.PumpUntilIdle();
    EXPECT_EQ(host.Cursor(), LoadCursorW(nullptr, IDC_HAND));
    ASSERT_EQ(Of(WM_MOUSEWHEEL).size(), 1u);
    const auto wheel = Of(WM_MOUSEWHEEL)[0];
    EXPECT_EQ(wheel.hwnd, w);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel.wParam), -60);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel.wParam), MK_SHIFT);
    EXPECT_EQ(GET_X_LPARAM(wheel.lParam), 150); // screen coordinates
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
}
