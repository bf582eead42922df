#include "tarnui/platform/Clock.h"

#include <atomic>
#include <ctime>

namespace tarn {

namespace {

class SystemClock final : public Clock {
public:
    uint64_t NowMs() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    }
    void SleepMs(uint32_t ms) override
    {
        timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
        while (nanosleep(&ts, &ts) != 0) {
        }
    }
};

SystemClock g_system;
std::atomic<Clock*> g_current{nullptr};

} // namespace

Clock& Clock::Current()
{
    Clock* c = g_current.load(std::memory_order_acquire);
    return c ? *c : g_system;
}

Clock* Clock::Install(Clock* clock)
{
    return g_current.exchange(clock, std::memory_order_acq_rel);
}

} // namespace tarn
