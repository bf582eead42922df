#include "HeadlessFixture.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace tarn;
using tarn::test::HeadlessFixture;

using ThreadTest = HeadlessFixture;

TEST_F(ThreadTest, PostMessageAndEnableWindowFromAnotherThread)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<DWORD> enableThreads;
    handler = [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_ENABLE)
            enableThreads.push_back(GetCurrentThreadId());
        return std::nullopt;
    };
    std::thread worker([w, uiThread] {
        for (WPARAM i = 0; i < 200; ++i) {
            PostMessageW(w, WM_USER + 1, i, 0);
            if (i % 50 == 0) {
                EnableWindow(w, FALSE);
                InvalidateRect(w, nullptr, FALSE);
                EnableWindow(w, TRUE);
            }
        }
        EnableWindow(w, FALSE);
        PostThreadMessageW(uiThread, WM_QUIT, 0, 0);
    });
    std::vector<WPARAM> got;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_USER + 1)
            got.push_back(msg.wParam);
        DispatchMessageW(&msg);
    }
    worker.join();
    host.PumpUntilIdle();
    ASSERT_EQ(got.size(), 200u);
    for (WPARAM i = 0; i < 200; ++i)
        EXPECT_EQ(got[i], i);
    EXPECT_FALSE(IsWindowEnabled(w));
    ASSERT_EQ(enableThreads.size(), 9u);
    for (DWORD t : enableThreads)
        EXPECT_EQ(t, uiThread); // WM_ENABLE is delivered on the window's own thread
    EXPECT_FALSE(host.Stalled());
}

TEST_F(ThreadTest, SendMessageAcrossThreadsWaitsForTheAnswer)
{
    HWND w = Create(RECT(0, 0, 100, 100));
    handler = [](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER + 2)
            return static_cast<LRESULT>(wp * 2);
        return std::nullopt;
    };
    std::atomic<LRESULT> answer{0};
    const DWORD uiThread = GetCurrentThreadId();
    std::thread worker([&] {
        answer = SendMessageW(w, WM_USER + 2, 21, 0);
        PostThreadMessageW(uiThread, WM_QUIT, 0, 0);
    });
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    worker.join();
    EXPECT_EQ(answer.load(), 42);
}

TEST_F(ThreadTest, KillingAMultimediaTimerWaitsForItsTickInProgress)
{
    struct Shared {
        std::atomic<bool> started{false};
        std::atomic<bool> finished{false};
    } shared;
    const LPTIMECALLBACK cb = [](UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto* s = reinterpret_cast<Shared*>(user);
        s->started = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        s->finished = true;
    };
    const UINT id = timeSetEvent(10, 1, cb, reinterpret_cast<DWORD_PTR>(&shared), TIME_ONESHOT);
    ASSERT_NE(id, 0u);
    bool finishedWhenKilled = false;
    std::thread killer([&] {
        while (!shared.started)
            std::this_thread::yield();
        timeKillEvent(id);
        finishedWhenKilled = shared.finished;
    });
    host.Advance(10);
    killer.join();
    EXPECT_TRUE(finishedWhenKilled);
}
