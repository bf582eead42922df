// Window timers, the multimedia timer family and the clock.
#include "tarnui/platform/Clock.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>

namespace tarn {

namespace {

constexpr UINT MultimediaMaxPeriod = 1000000;

} // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    auto& core = WindowCore::Get();
    if (hwnd) {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        // Timers belong to the window's thread and tick through its loop.
        if (w->threadId != WindowCore::ThisThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    const UINT_PTR result = core.ThisQueue()->Timers().Set(hwnd, id, elapse, proc, Clock::Current().NowMs());
    // A window timer with id 0 still reports success.
    return hwnd && result == 0 ? 1 : result;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    if (WindowCore::Get().ThisQueue()->Timers().Kill(hwnd, id))
        return TRUE;
    SetLastError(hwnd && !IsWindow(hwnd) ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
}

DWORD GetTickCount() { return static_cast<DWORD>(Clock::Current().NowMs()); }
uint64_t GetTickCount64() { return Clock::Current().NowMs(); }
void Sleep(DWORD ms) { Clock::Current().SleepMs(ms); }

UINT timeGetDevCaps(TIMECAPS* caps, UINT size)
{
    if (!caps || size != sizeof(TIMECAPS))
        return TIMERR_NOCANDO;
    caps->wPeriodMin = 1;
    caps->wPeriodMax = MultimediaMaxPeriod;
    return TIMERR_NOERROR;
}

// Resolution requests change nothing: ticks are scheduled on the loop's own deadlines.
UINT timeBeginPeriod(UINT period) { return (period >= 1 && period <= MultimediaMaxPeriod) ? TIMERR_NOERROR : TIMERR_NOCANDO; }
UINT timeEndPeriod(UINT period) { return timeBeginPeriod(period); }
DWORD timeGetTime() { return GetTickCount(); }

UINT timeSetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags)
{
    const bool unsupported = (flags & (TIME_CALLBACK_EVENT_SET | TIME_CALLBACK_EVENT_PULSE)) != 0;
    if (!callback || delay < 1 || delay > MultimediaMaxPeriod || unsupported)
        return 0;
    auto& core = WindowCore::Get();
    auto queue = core.ThisQueue();
    const UINT id = core.RegisterMultimedia(queue);
    queue->Timers().AddMultimedia(id, delay, callback, user, (flags & TIME_PERIODIC) != 0, Clock::Current().NowMs());
    queue->Wake();
    return id;
}

UINT timeKillEvent(UINT timerId)
{
    auto& core = WindowCore::Get();
    auto owner = core.MultimediaOwner(timerId);
    if (!owner)
        return MMSYSERR_INVALPARAM;
    const bool found = owner->Timers().KillMultimedia(timerId, WindowCore::ThisThreadId());
    core.ForgetMultimedia(timerId);
    return found ? TIMERR_NOERROR : MMSYSERR_INVALPARAM;
}

} // namespace tarn
