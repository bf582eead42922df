#include "app/Worker.h"
#include "app/WorkerHost.h"
#include "app/tests/FakeClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using corvane::TaskQueue;
using corvane::Worker;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

namespace {

class FakeHost : public corvane::WorkerHost {
public:
    std::atomic<bool> present{true};
    std::atomic<bool> connected{true};

    bool KeyboardPresent() override { return present; }
    bool KeyboardConnected() override { return connected; }
    void EnableMainWindow(bool enable) override { Add(enable ? "enable" : "disable"); }
    void PostTaskDone(uint64_t token) override { Add("done " + std::to_string(token)); }
    void IdlePass() override { Add("idle"); }
    void PlayMacro(int macro) override { Add("play " + std::to_string(macro)); }

    void Add(const std::string& line)
    {
        std::lock_guard lock(m_mutex);
        m_log.push_back(line);
    }
    std::vector<std::string> Log()
    {
        std::lock_guard lock(m_mutex);
        return m_log;
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_log.clear();
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_log;
};

struct WorkerFixture {
    corvane::test::FakeClock clock;
    TaskQueue tasks;
    TaskQueue playback;
    FakeHost host;
    Worker worker{clock, tasks, playback, host, Handlers()};

    Worker::TaskHandlers Handlers()
    {
        Worker::TaskHandlers table;
        for (int code : {1, 2, 3, 5, 6, 7, 8, 10, 12, 13})
            table[code] = [this, code] { host.Add("task " + std::to_string(code)); };
        return table;
    }
};

} // namespace

TEST(Worker, OnlyTheKeyboardlessTasksRunWithoutTheKeyboard)
{
    for (int code = 1; code <= 15; ++code)
        EXPECT_EQ(Worker::NeedsKeyboard(code), code != 1 && code != 2 && code != 3 && code != 12) << code;
}

TEST(Worker, PassesByKeyboardState)
{
    struct Case {
        const char* name;
        int code;
        bool withWait;
        bool present;
        bool connected;
        std::vector<std::string> log;
        std::vector<corvane::Clock::Millis> pauses;
    };
    const Case cases[] = {
        {"device task done", 7, true, true, true, {"disable", "task 7", "done 1", "enable", "idle"}, {100ms}},
        {"device task without a dialog", 5, false, true, true, {"disable", "task 5", "enable", "idle"}, {}},
        {"code without a handler", 4, false, true, true, {"disable", "enable", "idle"}, {}},
        {"dropped when absent, dialog still closes", 8, true, false, false, {"done 1"}, {}},
        {"dropped when present but not connected", 10, true, true, false, {"done 1"}, {}},
        {"dropped without a dialog: nothing at all", 6, false, false, true, {}, {}},
        {"keyboardless task runs, then ends the pass", 2, false, false, false, {"task 2"}, {}},
        {"keyboardless task with the keyboard", 12, false, true, true, {"task 12", "disable", "enable", "idle"}, {}},
    };
    for (const Case& c : cases) {
        WorkerFixture f;
        f.host.present = c.present;
        f.host.connected = c.connected;
        if (c.withWait)
            EXPECT_EQ(f.tasks.QueueTaskWithWait(c.code), 1u);
        else
            f.tasks.QueueTask(c.code);
        f.worker.Run();
        EXPECT_EQ(f.host.Log(), c.log) << c.name;
        EXPECT_TRUE(f.tasks.IsEmpty()) << c.name;
        EXPECT_EQ(f.clock.Pauses(), c.pauses) << c.name;
    }
}

TEST(Worker, OneTaskAndOneMacroPerPassInOrder)
{
    WorkerFixture f;
    f.tasks.QueueTask(5);
    f.tasks.QueueTask(13);
    f.playback.QueueTask(41);
    f.playback.QueueTask(42);

    f.worker.Run();
    EXPECT_THAT(f.host.Log(), ElementsAre("disable", "task 5", "enable", "play 41"));
    f.host.Clear();
    f.worker.Run();
    EXPECT_THAT(f.host.Log(), ElementsAre("disable", "task 13", "enable", "idle", "play 42"));
    f.host.Clear();
    f.worker.Run();
    EXPECT_THAT(f.host.Log(), ElementsAre("idle"));
}

TEST(Worker, ADroppedTaskEndsThePassBeforeMacros)
{
    WorkerFixture f;
    f.host.present = false;
    f.tasks.QueueTask(7);
    f.playback.QueueTask(9);
    f.worker.Run();
    EXPECT_TRUE(f.host.Log().empty());
    EXPECT_EQ(f.playback.Size(), 1u);
}

TEST(Worker, TasksFromManyThreadsAreAllDoneInTheirOrder)
{
    WorkerFixture f;
    ASSERT_TRUE(f.worker.Start());
    std::vector<std::thread> producers;
    for (int t = 0; t < 3; ++t) {
        producers.emplace_back([&f, t] {
            for (int i = 0; i < 50; ++i) {
                if (t == 0)
                    f.tasks.QueueTaskWithWait(7);
                else
                    f.tasks.QueueTask(t == 1 ? 5 : 13);
            }
        });
    }
    for (auto& p : producers)
        p.join();
    for (int i = 0; i < 5000 && !f.tasks.IsEmpty(); ++i)
        std::this_thread::sleep_for(1ms);
    f.worker.Stop();
    EXPECT_FALSE(f.worker.IsRunning());
    EXPECT_TRUE(f.tasks.IsEmpty());

    std::vector<int> doneTokens;
    int done = 0;
    for (const std::string& line : f.host.Log()) {
        if (line.rfind("done ", 0) == 0)
            doneTokens.push_back(std::stoi(line.substr(5)));
        if (line.rfind("task ", 0) == 0)
            ++done;
    }
    EXPECT_EQ(done, 150);
    ASSERT_EQ(doneTokens.size(), 50u);
    for (std::size_t i = 0; i < doneTokens.size(); ++i)
        EXPECT_EQ(doneTokens[i], static_cast<int>(i + 1)) << "tokens close in queue order";
}

TEST(Worker, DroppedTasksCloseTheirDialogsWhileTheWorkerRuns)
{
    WorkerFixture f;
    f.host.present = false;
    ASSERT_TRUE(f.worker.Start());
    const uint64_t first = f.tasks.QueueTaskWithWait(6);
    const uint64_t second = f.tasks.QueueTaskWithWait(10);
    for (int i = 0; i < 5000 && !f.tasks.IsEmpty(); ++i)
        std::this_thread::sleep_for(1ms);
    f.worker.Stop();
    std::vector<std::string> work;
    for (const std::string& line : f.host.Log()) {
        if (line != "idle")
            work.push_back(line);
    }
    EXPECT_THAT(work, ElementsAre("done " + std::to_string(first), "done " + std::to_string(second)));
}
