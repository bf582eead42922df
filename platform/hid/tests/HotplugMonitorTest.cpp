#include "platform/hid/DeviceChangeSink.h"
#include "platform/hid/HotplugMonitor.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using corvane::HotplugMonitor;

namespace {

class RecordingSink : public corvane::DeviceChangeSink {
public:
    void OnDeviceChange(unsigned event, const tarn::CString& path) override
    {
        std::lock_guard lock(m_mutex);
        m_events.emplace_back(event, path.ToUtf8());
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<unsigned, std::string>> m_events;
};

// No node can be plugged in here, so this covers the thread's life: it starts, refuses a second
// start, stops promptly (a blocked poll is woken), and starts again.
TEST(HotplugMonitor, StartsStopsAndRestarts)
{
    RecordingSink sink;
    HotplugMonitor monitor;
    if (!monitor.Start(sink))
        GTEST_SKIP() << "udev's netlink socket is not available in this environment";
    EXPECT_TRUE(monitor.Running());
    EXPECT_FALSE(monitor.Start(sink));
    monitor.Stop();
    EXPECT_FALSE(monitor.Running());
    monitor.Stop();

    ASSERT_TRUE(monitor.Start(sink));
    EXPECT_TRUE(monitor.Running());
    // The destructor stops and joins the second run.
}

TEST(HotplugMonitor, StopBeforeStartDoesNothing)
{
    HotplugMonitor monitor;
    monitor.Stop();
    EXPECT_FALSE(monitor.Running());
}

} // namespace
