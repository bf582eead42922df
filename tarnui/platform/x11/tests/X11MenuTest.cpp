#include "tarnui/platform/Menu.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tarn::test {
namespace {

constexpr UINT_PTR kSettings = 200;
constexpr UINT_PTR kExit = 100;

// The menu's loop is modal, so the test acts from a timer of the owner that fires inside it:
// each step runs on every tick until it answers true, then the next one. A menu that never
// gets that far is ended, so a fault fails the test instead of hanging it.
class X11Menu : public X11Fixture {
protected:
    void SetUp() override
    {
        X11Fixture::SetUp();
        if (IsSkipped())
            return;
        s_self = this;
        owner = Create(RECT(100, 100, 400, 300));
        ASSERT_TRUE(PumpUntil([&] { return Viewable(owner); }));
        menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, kSettings, L"Settings");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kExit, L"Exit");
    }
    void TearDown() override
    {
        DestroyMenu(menu);
        s_self = nullptr;
        X11Fixture::TearDown();
    }

    BOOL Track(std::vector<std::function<bool()>> run, UINT flags)
    {
        steps = std::move(run);
        ticks = 0;
        passed = 0;
        SetTimer(owner, 1, 20, &X11Menu::Tick);
        const BOOL r = TrackPopupMenu(menu, flags, 500, 300, 0, owner, nullptr);
        KillTimer(owner, 1);
        return r;
    }

    HWND Open() const
    {
        HWND wnd = FindWindowW(L"#32768", nullptr);
        return wnd && const_cast<X11Menu*>(this)->Viewable(wnd) ? wnd : nullptr;
    }
    RECT Row(UINT position) const
    {
        RECT r;
        GetMenuItemRect(nullptr, menu, position, &r);
        return r;
    }
    void ClickAt(POINT p)
    {
        XTestFakeMotionEvent(m_probe, -1, p.x, p.y, 0);
        XTestFakeButtonEvent(m_probe, 1, True, 0);
        XTestFakeButtonEvent(m_probe, 1, False, 0);
        XFlush(m_probe);
    }

    HWND owner = nullptr;
    HMENU menu = nullptr;
    std::vector<std::function<bool()>> steps;
    int ticks = 0;
    int passed = 0;

private:
    static void Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        X11Menu& t = *s_self;
        if (++t.ticks > 250) {
            ADD_FAILURE() << "the menu got stuck after " << t.passed << " steps";
            EndMenu();
            return;
        }
        if (!t.steps.empty() && t.steps.front()()) {
            t.steps.erase(t.steps.begin());
            ++t.passed;
        }
    }
    static inline X11Menu* s_self = nullptr;
};

TEST_F(X11Menu, OpensAsAPaintedPopupAndAClickOnAnItemPostsItsCommand)
{
    bool overrideRedirect = false;
    uint32_t face = 0;
    const BOOL r = Track({[&] {
                              HWND wnd = Open();
                              // Painted: the grey border is on the screen.
                              if (!wnd || (ReadPixel(wnd, 0, 0) & 0xFFFFFF) != 0xA0A0A0)
                                  return false;
                              XWindowAttributes a;
                              XGetWindowAttributes(m_probe, Native(wnd), &a);
                              overrideRedirect = a.override_redirect;
                              RECT w;
                              GetWindowRect(wnd, &w);
                              face = ReadPixel(wnd, Row(2).right - w.left - 3, Row(2).top - w.top + 1) & 0xFFFFFF;
                              ClickAt(Row(2).CenterPoint());
                              return true;
                          }},
                         0);
    EXPECT_EQ(r, TRUE);
    EXPECT_TRUE(overrideRedirect);
    EXPECT_EQ(face, 0xFFFFFFu);
    ASSERT_TRUE(PumpUntil([&] { return !SeenOf(owner, WM_COMMAND).empty(); }));
    EXPECT_EQ(SeenOf(owner, WM_COMMAND)[0].wParam, kExit);
    EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);
}

TEST_F(X11Menu, PressOutsideThroughThePointerGrabClosesIt)
{
    uint32_t hot = 0;
    const BOOL r = Track({[&] {
                              if (!Open())
                                  return false;
                              XTestFakeMotionEvent(m_probe, -1, Row(0).CenterPoint().x, Row(0).CenterPoint().y, 0);
                              XFlush(m_probe);
                              return true;
                          },
                          [&] {
                              HWND wnd = Open();
                              RECT w;
                              GetWindowRect(wnd, &w);
                              hot = ReadPixel(wnd, Row(0).right - w.left - 3, Row(0).top - w.top + 1) & 0xFFFFFF;
                              if (hot != 0xCCE4F7)
                                  return false;
                              ClickAt(POINT(1000, 700)); // no window there
                              return true;
                          }},
                         TPM_RETURNCMD);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(hot, 0xCCE4F7u); // the row under the pointer was highlighted
    EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr);
    EXPECT_TRUE(SeenOf(owner, WM_COMMAND).empty());
    // The grab went with the menu: another client can take the pointer now.
    m_session->Sync();
    EXPECT_EQ(XGrabPointer(m_probe, DefaultRootWindow(m_probe), False, ButtonPressMask, GrabModeAsync, GrabModeAsync,
                           None, None, CurrentTime),
              GrabSuccess);
    XUngrabPointer(m_probe, CurrentTime);
    XFlush(m_probe);
}

// The owner has no keyboard focus here (as a hidden main window has none): the menu's own
// keyboard grab brings the keys.
TEST_F(X11Menu, KeysReachTheMenuWithoutFocus)
{
    const auto tap = [&](KeySym sym) {
        const KeyCode code = XKeysymToKeycode(m_probe, sym);
        XTestFakeKeyEvent(m_probe, code, True, 0);
        XTestFakeKeyEvent(m_probe, code, False, 0);
    };
    XSetInputFocus(m_probe, PointerRoot, RevertToPointerRoot, CurrentTime);
    XFlush(m_probe);
    const BOOL r = Track({[&] {
                             if (!Open())
                                 return false;
                             tap(XK_Down);
                             tap(XK_Down);
                             tap(XK_Return);
                             XFlush(m_probe);
                             return true;
                         }},
                         TPM_RETURNCMD);
    EXPECT_EQ(static_cast<UINT_PTR>(r), kExit);
    // The grab went with the menu.
    m_session->Sync();
    EXPECT_EQ(XGrabKeyboard(m_probe, DefaultRootWindow(m_probe), False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XUngrabKeyboard(m_probe, CurrentTime);
    XFlush(m_probe);
}

} // namespace
} // namespace tarn::test
