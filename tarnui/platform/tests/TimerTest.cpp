#include "HeadlessFixture.h"

using namespace tarn;
using tarn::test::HeadlessFixture;

using TimerTest = HeadlessFixture;

TEST_F(TimerTest, Ids)
{
    HWND w = Create(RECT(0, 0, 10, 10));
    EXPECT_EQ(SetTimer(w, 66, 50, nullptr), 66u);
    EXPECT_EQ(SetTimer(w, 6553, 50, nullptr), 6553u);
    const UINT_PTR t1 = SetTimer(nullptr, 0, 50, nullptr);
    const UINT_PTR t2 = SetTimer(nullptr, 0, 50, nullptr);
    EXPECT_NE(t1, 0u);
    EXPECT_NE(t2, 0u);
    EXPECT_NE(t1, t2);
    EXPECT_EQ(SetTimer(nullptr, t1, 80, nullptr), t1); // re-setting its own id keeps it
    EXPECT_TRUE(KillTimer(w, 66));
    EXPECT_FALSE(KillTimer(w, 66));
    EXPECT_TRUE(KillTimer(nullptr, t1));
}

TEST_F(TimerTest, ElapsedPeriodsCoalesceIntoOneMessage)
{
    HWND w = Create(RECT(0, 0, 10, 10));
    SetTimer(w, 17, 100, nullptr);
    Sleep(1000); // ten periods go by while the loop is busy elsewhere
    host.PumpUntilIdle();
    EXPECT_EQ(Of(WM_TIMER).size(), 1u);
    host.Advance(99);
    EXPECT_EQ(Of(WM_TIMER).size(), 1u); // the period restarts when the message is taken
    host.Advance(1);
    EXPECT_EQ(Of(WM_TIMER).size(), 2u);
    host.Advance(1000);
    EXPECT_EQ(Of(WM_TIMER).size(), 12u);
}

TEST_F(TimerTest, KilledWhileDueNeverArrivesAndDiesWithItsWindow)
{
    HWND w = Create(RECT(0, 0, 10, 10));
    SetTimer(w, 1, 10, nullptr);
    SetTimer(w, 2, 10, nullptr);
    Sleep(50);
    KillTimer(w, 1);
    host.PumpUntilIdle();
    ASSERT_EQ(Of(WM_TIMER).size(), 1u);
    EXPECT_EQ(Of(WM_TIMER)[0].wParam, 2u);
    DestroyWindow(w);
    host.Advance(100);
    EXPECT_EQ(Of(WM_TIMER).size(), 1u);
}

TEST_F(TimerTest, ElapseIsClampedAndTimerProcsRunFromDispatch)
{
    static int calls = 0;
    calls = 0;
    const TIMERPROC proc = [](HWND, UINT, UINT_PTR, DWORD) { ++calls; };
    const UINT_PTR id = SetTimer(nullptr, 0, 1, proc);
    host.Advance(9);
    EXPECT_EQ(calls, 0); // 10 ms at least
    host.Advance(1);
    EXPECT_EQ(calls, 1);
    // A WM_TIMER whose procedure is not a live timer's is not called.
    MSG forged;
    forged.message = WM_TIMER;
    forged.wParam = id + 100;
    forged.lParam = reinterpret_cast<LPARAM>(proc);
    DispatchMessageW(&forged);
    EXPECT_EQ(calls, 1);
}

TEST_F(TimerTest, MultimediaTimersTickOnTheOwningThread)
{
    struct Ticks {
        int count = 0;
        DWORD thread = 0;
        UINT killAt = 0;
        UINT id = 0;
    };
    Ticks ticks;
    const LPTIMECALLBACK cb = [](UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto* t = reinterpret_cast<Ticks*>(user);
        ++t->count;
        t->thread = GetCurrentThreadId();
        if (t->killAt && t->count == static_cast<int>(t->killAt)) {
            EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR); // from inside its own tick
        }
    };
    TIMECAPS caps;
    ASSERT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOERROR);

    ticks.id = timeSetEvent(10, 1, cb, reinterpret_cast<DWORD_PTR>(&ticks), TIME_PERIODIC);
    ASSERT_NE(ticks.id, 0u);
    host.Advance(100);
    EXPECT_EQ(ticks.count, 10);
    EXPECT_EQ(ticks.thread, GetCurrentThreadId());
    EXPECT_EQ(timeKillEvent(ticks.id), TIMERR_NOERROR);
    host.Advance(100);
    EXPECT_EQ(ticks.count, 10);
    EXPECT_EQ(timeKillEvent(ticks.id), MMSYSERR_INVALPARAM);

    Ticks once;
    once.id = timeSetEvent(30, 1, cb, reinterpret_cast<DWORD_PTR>(&once), TIME_ONESHOT);
    host.Advance(200);
    EXPECT_EQ(once.count, 1);

    Ticks selfKill;
    selfKill.killAt = 3;
    selfKill.id = timeSetEvent(5, 1, cb, reinterpret_cast<DWORD_PTR>(&selfKill), TIME_PERIODIC);
    host.Advance(100);
    EXPECT_EQ(selfKill.count, 3);

    EXPECT_EQ(timeSetEvent(0, 1, cb, 0, TIME_PERIODIC), 0u);
    EXPECT_EQ(timeSetEvent(10, 1, nullptr, 0, TIME_PERIODIC), 0u);
}

TEST_F(TimerTest, TickCountAndSleepUseTheInjectedClock)
{
    const DWORD start = GetTickCount();
    Sleep(15);
    EXPECT_EQ(GetTickCount() - start, 15u);
    host.Advance(1000);
    EXPECT_EQ(timeGetTime() - start, 1015u);
}
