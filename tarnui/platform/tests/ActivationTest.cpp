#include "HeadlessFixture.h"

using namespace tarn;
using tarn::test::HeadlessFixture;

using ActivationTest = HeadlessFixture;

TEST_F(ActivationTest, ShowingActivatesAndDeactivatesThePrevious)
{
    HWND a = Create(RECT(0, 0, 100, 100));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);
    log.clear();
    HWND b = Create(RECT(50, 50, 150, 150));
    EXPECT_EQ(GetActiveWindow(), b);
    std::vector<std::pair<HWND, UINT>> seq;
    for (const auto& s : log) {
        if (s.msg == WM_NCACTIVATE || s.msg == WM_ACTIVATE || s.msg == WM_KILLFOCUS || s.msg == WM_SETFOCUS)
            seq.emplace_back(s.hwnd, s.msg);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {a, WM_NCACTIVATE}, {a, WM_ACTIVATE}, {b, WM_NCACTIVATE}, {b, WM_ACTIVATE}, {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}};
    EXPECT_EQ(seq, expected);
    EXPECT_EQ(Of(WM_NCACTIVATE)[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(Of(WM_NCACTIVATE)[1].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(WindowFromPoint(POINT(60, 60)), b); // and raised
}

TEST_F(ActivationTest, WindowsShownWithoutActivation)
{
    HWND main = Create(RECT(0, 0, 300, 300));
    struct Case {
        const char* what;
        std::function<HWND()> show;
    };
    const Case cases[] = {
        {"SW_SHOWNA", [&] { HWND t = Create(RECT(0, 0, 50, 20), WS_POPUP, main); ShowWindow(t, SW_SHOWNA); return t; }},
        {"SW_SHOWNOACTIVATE", [&] { HWND t = Create(RECT(0, 0, 50, 20), WS_POPUP, main); ShowWindow(t, SW_SHOWNOACTIVATE); return t; }},
        {"SWP_NOACTIVATE", [&] {
             HWND t = Create(RECT(0, 0, 50, 20), WS_POPUP, main);
             SetWindowPos(t, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
             return t; }},
        {"WS_EX_NOACTIVATE, even when clicked", [&] {
             HWND t = Create(RECT(0, 0, 50, 20), WS_POPUP | WS_VISIBLE, main, WS_EX_NOACTIVATE);
             host.Click(POINT(10, 10));
             host.PumpUntilIdle();
             return t; }},
    };
    for (const auto& k : cases) {
        HWND tip = k.show();
        EXPECT_TRUE(IsWindowVisible(tip)) << k.what;
        EXPECT_EQ(GetActiveWindow(), main) << k.what;
        DestroyWindow(tip);
    }
}

TEST_F(ActivationTest, ClickOutsideDeactivatesAndAClickActivatesAgain)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    SetCapture(w);
    log.clear();
    host.ClickOutside();
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_FALSE(Of(WM_NCACTIVATE).empty());
    EXPECT_EQ(Of(WM_NCACTIVATE)[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_FALSE(Of(WM_CAPTURECHANGED).empty());

    log.clear();
    host.Click(POINT(10, 10));
    host.PumpUntilIdle();
    EXPECT_EQ(GetActiveWindow(), w);
    ASSERT_EQ(Of(WM_ACTIVATE).size(), 1u);
    EXPECT_EQ(LOWORD(Of(WM_ACTIVATE)[0].wParam), WA_CLICKACTIVE);
    EXPECT_EQ(Messages(w, {WM_MOUSEACTIVATE, WM_LBUTTONDOWN}), (std::vector<UINT>{WM_MOUSEACTIVATE, WM_LBUTTONDOWN}));

    // A press on no window of ours is a click outside too.
    host.Click(POINT(900, 900));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(ActivationTest, HidingOrMinimisingTheActiveWindowActivatesItsOwner)
{
    HWND owner = Create(RECT(0, 0, 300, 300));
    HWND other = Create(RECT(400, 0, 500, 100));
    HWND dlg = Create(RECT(10, 10, 100, 100), WS_POPUP | WS_VISIBLE, owner);
    ASSERT_EQ(GetActiveWindow(), dlg);
    ShowWindow(dlg, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), owner);
    ShowWindow(owner, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(owner));
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(Of(WM_SIZE).back().wParam, SIZE_MINIMIZED);
    log.clear();
    InvalidateRect(owner, nullptr, FALSE);
    host.PumpUntilIdle();
    EXPECT_TRUE(Messages(owner, {WM_PAINT}).empty()); // minimised windows are not painted
    ShowWindow(owner, SW_RESTORE);
    EXPECT_FALSE(IsIconic(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    DestroyWindow(owner);
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(ActivationTest, ZOrderKeepsTopmostAndOwnedWindowsAbove)
{
    HWND a = Create(RECT(0, 0, 100, 100));
    HWND top = Create(RECT(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, nullptr, WS_EX_TOPMOST);
    HWND b = Create(RECT(0, 0, 100, 100));
    EXPECT_EQ(WindowFromPoint(POINT(5, 5)), top); // b was activated but stays under the topmost one
    HWND owned = Create(RECT(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, a);
    SetWindowPos(top, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(a);
    EXPECT_EQ(WindowFromPoint(POINT(5, 5)), owned);
    EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), top); // no longer topmost: top of the normal band
    EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), b);
}

TEST_F(ActivationTest, EnableAndFocus)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    HWND child = Create(RECT(0, 0, 10, 10), WS_CHILD | WS_VISIBLE, w);
    EXPECT_EQ(SetFocus(child), w);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_FALSE(EnableWindow(w, FALSE)); // was enabled
    EXPECT_TRUE(EnableWindow(w, FALSE));  // already disabled
    EXPECT_EQ(GetFocus(), nullptr);       // the focus leaves a disabled window
    EXPECT_FALSE(IsWindowEnabled(w));
    EXPECT_TRUE(EnableWindow(w, TRUE));
    EXPECT_TRUE(IsWindowEnabled(w));
}
