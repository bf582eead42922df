#pragma once

#include "tarnui/platform/Clock.h"

#include <atomic>

namespace tarn {

// Time that moves only when the test driver (or Sleep) moves it.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(uint64_t start) : m_now(start) {}
    uint64_t NowMs() const override { return m_now.load(); }
    void SleepMs(uint32_t ms) override { m_now.fetch_add(ms); }
    bool IsVirtual() const override { return true; }
    // Never moves backwards.
    void AdvanceTo(uint64_t t)
    {
        uint64_t now = m_now.load();
        while (t > now && !m_now.compare_exchange_weak(now, t)) {
        }
    }

private:
    std::atomic<uint64_t> m_now;
};

} // namespace tarn
