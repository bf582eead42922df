#include "HeadlessFixture.h"

#include <fcntl.h>
#include <unistd.h>

using namespace tarn;
using tarn::test::HeadlessFixture;

namespace {

constexpr UINT WM_CLOSE_WITH_CODE = WM_USER + 66; // 1090

// The modal loop dialogs run: the result is the wparam of a WM_CLOSE taken for the dialog; a
// WM_QUIT ends it and is posted again for the loop outside.
int RunModal(HWND dlg)
{
    int result = 0;
    MSG msg;
    while (IsWindow(dlg)) {
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == dlg)
            result = static_cast<int>(msg.wParam);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return result;
}

} // namespace

using MessageQueueTest = HeadlessFixture;

TEST_F(MessageQueueTest, RetrievalOrderIsPostedQuitInputPaintTimer)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    host.PumpUntilIdle();
    SetTimer(w, 5, 10, nullptr);
    Sleep(20);
    InvalidateRect(w, nullptr, FALSE);
    host.MoveMouse(POINT(10, 10));
    PostMessageW(w, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    PostMessageW(w, WM_USER + 2, 0, 0);

    std::vector<UINT> order;
    MSG msg;
    while (order.size() < 8 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_SETCURSOR)
            continue;
        order.push_back(msg.message);
        if (msg.message == WM_PAINT)
            ValidateRect(w, nullptr);
        if (msg.message == WM_TIMER)
            KillTimer(w, 5);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageQueueTest, FiltersAndNoRemove)
{
    HWND a = Create(RECT(0, 0, 10, 10));
    HWND b = Create(RECT(0, 0, 10, 10));
    HWND child = Create(RECT(0, 0, 5, 5), WS_CHILD, a);
    host.PumpUntilIdle();
    PostMessageW(b, WM_USER + 1, 0, 0);
    PostMessageW(child, WM_USER + 2, 0, 0);
    PostMessageW(nullptr, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, a, 0, 0, PM_NOREMOVE)); // a's filter takes its children
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 3);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER + 10, WM_USER + 20, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(0x12345678abcdULL), 0, 0), -1);
}

TEST_F(MessageQueueTest, PointerMovesCollapseAndKeysTranslateToCharacters)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    SetFocus(w);
    host.PumpUntilIdle();
    log.clear();
    host.MoveMouse(POINT(1, 1));
    host.MoveMouse(POINT(2, 2));
    host.MoveMouse(POINT(3, 3));
    host.Type(L"a");
    host.PumpUntilIdle();
    const auto moves = Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 3);
    EXPECT_EQ(Messages(w, {WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ(Of(WM_CHAR)[0].wParam, static_cast<WPARAM>(L'a'));
}

TEST_F(MessageQueueTest, ModalLoopEndsWithItsResult)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> close;
        int expected;
    };
    const Case cases[] = {
        {"DoOK", [](HWND d) { PostMessageW(d, WM_CLOSE_WITH_CODE, IDOK, 0); }, IDOK},
        {"DoNo", [](HWND d) { PostMessageW(d, WM_CLOSE_WITH_CODE, IDNO, 0); }, IDNO},
        {"Alt+F4", [this](HWND) {
             host.Schedule(10, [this] { host.KeyDown(VK_MENU); host.KeyDown(VK_F4); });
         }, 0},
    };
    // The dialog answers 1090 by posting WM_CLOSE with the code, as dialogs do.
    handler = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_CLOSE_WITH_CODE) {
            PostMessageW(h, WM_CLOSE, wp, lp);
            return 1;
        }
        return std::nullopt;
    };
    for (const auto& k : cases) {
        HWND dlg = Create(RECT(0, 0, 200, 100));
        k.close(dlg);
        EXPECT_EQ(RunModal(dlg), k.expected) << k.what;
        EXPECT_FALSE(IsWindow(dlg)) << k.what;
        host.KeyUp(VK_F4);
        host.KeyUp(VK_MENU);
        host.PumpUntilIdle();
    }
}

TEST_F(MessageQueueTest, QuitDuringNestedModalLoopsReachesEveryLoop)
{
    HWND outer = Create(RECT(0, 0, 200, 100));
    HWND inner = Create(RECT(0, 0, 100, 50), WS_POPUP | WS_VISIBLE, outer);
    int innerResult = -1;
    host.Schedule(5, [&] { PostQuitMessage(9); });
    host.Schedule(1, [&] { innerResult = RunModal(inner); });
    EXPECT_EQ(RunModal(outer), 0);
    EXPECT_EQ(innerResult, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_TRUE(IsWindow(outer));
}

TEST_F(MessageQueueTest, FdWatchWakesABlockedLoop)
{
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK), 0);
    char got = 0;
    const UINT id = WatchFd(fds[0], 0x001 /* POLLIN */, [&](int fd, short) {
        if (read(fd, &got, 1) == 1)
            PostMessageW(nullptr, WM_USER + 7, static_cast<WPARAM>(got), 0);
    });
    ASSERT_NE(id, 0u);
    host.Schedule(5, [&] { ASSERT_EQ(write(fds[1], "x", 1), 1); });
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 7);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('x'));
    EXPECT_TRUE(UnwatchFd(id));
    EXPECT_FALSE(UnwatchFd(id));
    EXPECT_EQ(WatchFd(-1, 1, [](int, short) {}), 0u);
    close(fds[0]);
    close(fds[1]);
}

TEST_F(MessageQueueTest, PaintComesFromTheUpdateRegion)
{
    HWND w = Create(RECT(0, 0, 100, 100), WS_POPUP);
    RECT painted;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        painted = ps.rcPaint;
        EndPaint(h, &ps);
        return 0;
    };
    const RECT a(10, 10, 20, 20);
    const RECT b(50, 50, 60, 70);
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    host.PumpUntilIdle();
    EXPECT_TRUE(Of(WM_PAINT).empty()); // hidden windows are not painted
    ShowWindow(w, SW_SHOWNA);
    log.clear();
    InvalidateRect(w, &a, FALSE);
    ValidateRect(w, nullptr);
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    EXPECT_TRUE(UpdateWindow(w)); // synchronous
    EXPECT_EQ(Messages(w, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(painted, RECT(10, 10, 60, 70));
    log.clear();
    host.PumpUntilIdle();
    EXPECT_TRUE(Of(WM_PAINT).empty()); // BeginPaint validated it
    RECT update;
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
}
