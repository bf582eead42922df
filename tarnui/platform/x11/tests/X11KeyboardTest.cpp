#include "tarnui/platform/KeyboardCapture.h"
#include "tarnui/platform/RawKeyWatch.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tarn::test {
namespace {

using X11Keyboard = X11Fixture;

struct KeyCase {
    KeySym sym;
    DWORD vk;
    DWORD scan;
    DWORD flags;
};

TEST_F(X11Keyboard, CaptureTakesEveryKeyFromTheDesktopAndReportsItAsTheHookDoes)
{
    HWND h = Create(RECT(20, 20, 120, 120));
    ASSERT_TRUE(PumpUntil([&] { return Viewable(h); }));
    std::vector<CapturedKey> got;
    auto capture = KeyboardCapture::Start([&](const CapturedKey& k) { got.push_back(k); });
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(KeyboardCapture::Start([](const CapturedKey&) {}), nullptr);
    // No other program can take the keyboard meanwhile.
    EXPECT_EQ(XGrabKeyboard(m_probe, DefaultRootWindow(m_probe), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              AlreadyGrabbed);

    // Num Lock is off on a fresh server: keypad 7 is Home, unflagged, as the correction expects.
    const KeyCase cases[] = {
        {XK_a, 'A', 30, 0x00},
        {XK_Shift_R, VK_RSHIFT, 54, 0x00},
        {XK_KP_Home, VK_HOME, 71, 0x00},
        {XK_Home, VK_HOME, 71, 0x01},
        {XK_KP_Enter, VK_RETURN, 28, 0x01},
    };
    for (const auto& c : cases) {
        const KeyCode code = XKeysymToKeycode(m_probe, c.sym);
        XTestFakeKeyEvent(m_probe, code, True, 0);
        XTestFakeKeyEvent(m_probe, code, False, 0);
    }
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 2 * std::size(cases); }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& c = cases[i];
        EXPECT_EQ(got[2 * i].message, WM_KEYDOWN);
        EXPECT_EQ(got[2 * i].vkCode, c.vk);
        EXPECT_EQ(got[2 * i].scanCode, c.scan);
        EXPECT_EQ(got[2 * i].flags, c.flags);
        EXPECT_EQ(got[2 * i + 1].message, WM_KEYUP);
        EXPECT_EQ(got[2 * i + 1].flags, c.flags | 0x80);
    }
    EXPECT_TRUE(SeenOf(h, WM_KEYDOWN).empty());

    capture.reset();
    m_session->Sync();
    EXPECT_EQ(XGrabKeyboard(m_probe, DefaultRootWindow(m_probe), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XUngrabKeyboard(m_probe, CurrentTime);
    XFlush(m_probe);
}

TEST_F(X11Keyboard, RawKeysArriveWithoutFocusUntilTheWatchEnds)
{
    std::vector<RawKey> got;
    auto watch = RawKeyWatch::Start([&](const RawKey& k) { got.push_back(k); });
    ASSERT_NE(watch, nullptr);
    m_session->Sync();
    const KeyCode shift = XKeysymToKeycode(m_probe, XK_Shift_R);
    XTestFakeKeyEvent(m_probe, shift, True, 0);
    XTestFakeKeyEvent(m_probe, shift, False, 0);
    XFlush(m_probe);
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 2; }));
    EXPECT_EQ(got[0].virtualKey, VK_SHIFT);
    EXPECT_EQ(got[0].message, WM_KEYDOWN);
    EXPECT_EQ(got[1].message, WM_KEYUP);

    watch.reset();
    XTestFakeKeyEvent(m_probe, shift, True, 0);
    XTestFakeKeyEvent(m_probe, shift, False, 0);
    XFlush(m_probe);
    Pump(100);
    EXPECT_EQ(got.size(), 2u);
}

} // namespace
} // namespace tarn::test
