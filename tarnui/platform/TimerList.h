#pragma once

#include "tarnui/platform/WinTypes.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace tarn {

// The timers of one thread: window timers (WM_TIMER) and multimedia timers (callbacks run by
// that thread's loop). Thread-safe, so a multimedia timer can be killed from anywhere.
class TimerList {
public:
    struct Due {
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        TIMERPROC proc = nullptr;
    };

    explicit TimerList(DWORD ownerThread) : m_ownerThread(ownerThread) {}

    // A window timer (hwnd set) keeps its id; a thread timer gets a fresh one unless id names
    // one of its own. Re-setting an existing timer restarts its period.
    UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now);
    bool Kill(HWND hwnd, UINT_PTR id);
    void KillWindow(HWND hwnd);
    bool IsLive(HWND hwnd, UINT_PTR id, TIMERPROC proc) const;
    // The earliest due window timer the filter accepts. Taking it restarts its period from now,
    // so however many periods went by, one WM_TIMER is seen.
    template <typename Filter>
    std::optional<Due> TakeDue(uint64_t now, bool remove, Filter accepts);

    void AddMultimedia(UINT id, UINT delay, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic, uint64_t now);
    bool KillMultimedia(UINT id, DWORD callerThread);
    // Runs every multimedia callback due now; answers whether any ran.
    bool RunDueMultimedia(uint64_t now);

    std::optional<uint64_t> NextDue() const;
    void Clear();

private:
    struct Entry {
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        UINT elapse = 0;
        TIMERPROC proc = nullptr;
        uint64_t due = 0;
        bool multimedia = false;
        bool periodic = false;
        LPTIMECALLBACK callback = nullptr;
        DWORD_PTR user = 0;
    };

    DWORD m_ownerThread;
    mutable std::mutex m_mutex;
    std::condition_variable m_tickDone;
    std::vector<Entry> m_entries;
    UINT m_running = 0;
    UINT_PTR m_nextThreadId = 1;
};

template <typename Filter>
std::optional<TimerList::Due> TimerList::TakeDue(uint64_t now, bool remove, Filter accepts)
{
    std::lock_guard lock(m_mutex);
    Entry* best = nullptr;
    for (auto& e : m_entries) {
        if (!e.multimedia && e.due <= now && accepts(e.hwnd) && (!best || e.due < best->due))
            best = &e;
    }
    if (!best)
        return std::nullopt;
    Due due{best->hwnd, best->id, best->proc};
    if (remove)
        best->due = now + best->elapse;
    return due;
}

} // namespace tarn
