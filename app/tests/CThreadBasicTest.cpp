#include "app/CThreadBasic.h"
#include "app/tests/FakeClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using corvane::CThreadBasic;
using Millis = corvane::Clock::Millis;
using namespace std::chrono_literals;

namespace {

// Each pass takes the virtual time the test gives it; one pass can be made to outlast Stop's wait.
class Probe : public CThreadBasic {
public:
    explicit Probe(corvane::test::FakeClock& clock) : CThreadBasic(clock), m_clock(clock) {}
    ~Probe() override { Stop(); }

    std::atomic<int> passes{0};
    std::atomic<bool> blockUntilStopped{false};
    std::atomic<bool> finished{false};

protected:
    void Run() override
    {
        const int n = ++passes;
        m_clock.Advance(n == 3 ? 40ms : 5ms); // the third pass overruns two deadlines
        if (blockUntilStopped) {
            while (IsRunning())
                std::this_thread::yield();
            std::this_thread::sleep_for(20ms); // still working when the wait gives up
            finished = true;
        }
    }

private:
    corvane::test::FakeClock& m_clock;
};

void WaitFor(const std::atomic<int>& value, int atLeast)
{
    for (int i = 0; i < 5000 && value < atLeast; ++i)
        std::this_thread::sleep_for(1ms);
}

} // namespace

TEST(CThreadBasic, StartsOnceAndStopsCleanly)
{
    corvane::test::FakeClock clock;
    Probe probe(clock);
    const auto startTick = clock.TickCount();
    EXPECT_TRUE(probe.Start());
    EXPECT_EQ(probe.StartTick(), startTick);
    EXPECT_FALSE(probe.Start()) << "already running";
    WaitFor(probe.passes, 2);
    probe.Stop();
    EXPECT_FALSE(probe.IsRunning());
    const int passes = probe.passes;
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(probe.passes, passes) << "no pass after Stop";

    probe.Stop(); // stopping a stopped thread does nothing
    EXPECT_TRUE(probe.Start()) << "a stopped thread starts again";
    WaitFor(probe.passes, passes + 1);
    probe.Stop();
}

TEST(CThreadBasic, PassesRunOnFixedDeadlinesAndSkipMissedOnes)
{
    corvane::test::FakeClock clock;
    const Millis t0 = clock.Now();
    Probe probe(clock);
    ASSERT_TRUE(probe.Start());
    WaitFor(probe.passes, 6);
    probe.Stop();

    const auto deadlines = clock.Deadlines();
    ASSERT_GE(deadlines.size(), 5u);
    // Passes of 5 ms still start 16 ms apart; the 40 ms third pass ends at t0 + 32 + 40, so the
    // deadlines at 48 and 64 are skipped and the next is 80.
    EXPECT_EQ(deadlines[0], t0 + 16ms);
    EXPECT_EQ(deadlines[1], t0 + 32ms);
    EXPECT_EQ(deadlines[2], t0 + 80ms);
    EXPECT_EQ(deadlines[3], t0 + 96ms);
    EXPECT_EQ(deadlines[4], t0 + 112ms);
}

TEST(CThreadBasic, StopWaitsAtMostASecondButNeverLeavesThePassRunning)
{
    corvane::test::FakeClock clock;
    Probe probe(clock);
    probe.blockUntilStopped = true;
    ASSERT_TRUE(probe.Start());
    WaitFor(probe.passes, 1);
    probe.Stop();
    EXPECT_TRUE(probe.finished) << "Stop returned while the pass was still running";
    ASSERT_EQ(clock.TimedOutWaits().size(), 1u);
    EXPECT_EQ(clock.TimedOutWaits()[0], 1000ms);
}
