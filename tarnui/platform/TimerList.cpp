#include "TimerList.h"

#include <algorithm>

namespace tarn {

UINT_PTR TimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now)
{
    std::lock_guard lock(m_mutex);
    for (auto& e : m_entries) {
        if (!e.multimedia && e.hwnd == hwnd && e.id == id && (hwnd || id != 0)) {
            e.elapse = elapse;
            e.proc = proc;
            e.due = now + elapse;
            return id;
        }
    }
    if (!hwnd) {
        const auto inUse = [this](UINT_PTR candidate) {
            return std::any_of(m_entries.begin(), m_entries.end(), [candidate](const Entry& e) {
                return !e.multimedia && !e.hwnd && e.id == candidate;
            });
        };
        while (m_nextThreadId == 0 || inUse(m_nextThreadId))
            ++m_nextThreadId;
        id = m_nextThreadId++;
    }
    Entry e;
    e.hwnd = hwnd;
    e.id = id;
    e.elapse = elapse;
    e.proc = proc;
    e.due = now + elapse;
    m_entries.push_back(e);
    return id;
}

bool TimerList::Kill(HWND hwnd, UINT_PTR id)
{
    std::lock_guard lock(m_mutex);
    const auto removed = std::erase_if(m_entries, [&](const Entry& e) {
        return !e.multimedia && e.hwnd == hwnd && e.id == id;
    });
    return removed > 0;
}

void TimerList::KillWindow(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) { return !e.multimedia && e.hwnd == hwnd; });
}

bool TimerList::IsLive(HWND hwnd, UINT_PTR id, TIMERPROC proc) const
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return !e.multimedia && e.hwnd == hwnd && e.id == id && e.proc == proc;
    });
}

void TimerList::AddMultimedia(UINT id, UINT delay, LPTIMECALLBACK callback, DWORD_PTR user, bool periodic,
                              uint64_t now)
{
    std::lock_guard lock(m_mutex);
    Entry e;
    e.id = id;
    e.elapse = delay;
    e.due = now + delay;
    e.multimedia = true;
    e.periodic = periodic;
    e.callback = callback;
    e.user = user;
    m_entries.push_back(e);
}

bool TimerList::KillMultimedia(UINT id, DWORD callerThread)
{
    std::unique_lock lock(m_mutex);
    const auto removed = std::erase_if(m_entries, [&](const Entry& e) { return e.multimedia && e.id == id; });
    // A tick in progress on the owning thread finishes before the caller may free what it uses;
    // the owning thread itself (killing from inside the tick) cannot wait for itself.
    if (callerThread != m_ownerThread)
        m_tickDone.wait(lock, [&] { return m_running != id; });
    return removed > 0;
}

bool TimerList::RunDueMultimedia(uint64_t now)
{
    bool ran = false;
    for (;;) {
        std::unique_lock lock(m_mutex);
        auto it = std::find_if(m_entries.begin(), m_entries.end(),
                               [&](const Entry& e) { return e.multimedia && e.due <= now; });
        if (it == m_entries.end())
            return ran;
        const Entry tick = *it;
        if (tick.periodic) {
            // A late tick is not repeated: the next one is one period after this one, or after
            // now when the loop fell more than a period behind.
            it->due = it->due + it->elapse > now ? it->due + it->elapse : now + it->elapse;
        } else {
            m_entries.erase(it);
        }
        m_running = static_cast<UINT>(tick.id);
        lock.unlock();
        tick.callback(static_cast<UINT>(tick.id), 0, tick.user, 0, 0);
        lock.lock();
        m_running = 0;
        m_tickDone.notify_all();
        ran = true;
    }
}

std::optional<uint64_t> TimerList::NextDue() const
{
    std::lock_guard lock(m_mutex);
    std::optional<uint64_t> next;
    for (const auto& e : m_entries) {
        if (!next || e.due < *next)
            next = e.due;
    }
    return next;
}

void TimerList::Clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

} // namespace tarn
