#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/ToolTip.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"

namespace tarn::test {
namespace {

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseTestFonts();
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &DefWindowProcW;
        wc.lpszClassName = L"TipOwner";
        RegisterClassExW(&wc);
        owner = CreateWindowExW(0, L"TipOwner", L"Owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
        host.Activate(owner);
        tip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, ToolTipClassName(), nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
        SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 256);
        SendMessageW(tip, TTM_SETTIPBKCOLOR, RGB(255, 255, 255), 0);
        TOOLINFOW ti;
        ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        ti.hwnd = owner;
        ti.uId = 1313;
        ti.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        host.MoveMouse(POINT(150, 150));
    }

    void SetText(const wchar_t* text)
    {
        TOOLINFOW ti;
        ti.hwnd = owner;
        ti.uId = 1313;
        ti.lpszText = const_cast<wchar_t*>(text);
        SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
        SendMessageW(tip, TTM_ACTIVATE, text && *text ? TRUE : FALSE, 0);
    }

    HeadlessHost host;
    HWND owner = nullptr;
    HWND tip = nullptr;
};

TEST_F(ToolTipTest, ShowsAfterTheDelayNearThePointerWithoutActivation)
{
    ASSERT_NE(tip, nullptr);
    SetText(L"Minimize");
    host.Advance(kToolTipInitialDelay - 100);
    EXPECT_FALSE(IsWindowVisible(tip));
    host.Advance(200);
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(GetActiveWindow(), owner);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_GE(r.top, 150);
    EXPECT_LE(r.top, 180);
    EXPECT_NEAR(r.left, 150, 1);
    wchar_t text[32] = {};
    GetWindowTextW(tip, text, 32);
    EXPECT_STREQ(text, L"Minimize");
    // White inside its 1-pixel border.
    std::vector<uint32_t> px = host.Presented(tip);
    ASSERT_EQ(px.size(), static_cast<size_t>(r.Width() * r.Height()));
    EXPECT_EQ(px[static_cast<size_t>(r.Width() + 1)], 0xFFFFFFFFu);
    EXPECT_NE(px[0], 0xFFFFFFFFu);

    SetText(L"");
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(ToolTipTest, LongTextWrapsAtTheMaximumWidth)
{
    SetText(L"A tooltip text long enough that it has to wrap onto a second line at two hundred and fifty six");
    host.Advance(kToolTipInitialDelay + 10);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_LE(r.Width(), 256 + 2 + 8);
    EXPECT_GT(r.Height(), 30);
}

TEST_F(ToolTipTest, DeactivatingOrAPressHidesIt)
{
    SetText(L"Website");
    host.Advance(kToolTipInitialDelay + 10);
    ASSERT_TRUE(IsWindowVisible(tip));
    MSG press;
    press.message = WM_LBUTTONDOWN;
    press.hwnd = owner;
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&press));
    EXPECT_FALSE(IsWindowVisible(tip));
    SendMessageW(tip, TTM_ACTIVATE, FALSE, 0);
    host.Advance(kToolTipInitialDelay * 2);
    EXPECT_FALSE(IsWindowVisible(tip));
}

} // namespace
} // namespace tarn::test
