#include "catalogue/DeviceRecord.h"
#include "device/ConnectionState.h"
#include "device/ConnectionViews.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/VirtualClock.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>

using namespace corvane;
using tarn::CString;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr uint16_t Vid = 0x3A71;

class Recording : public DeviceListView, public ConnectionPageView, public TaskSink {
public:
    std::vector<std::string> calls;
    std::vector<int> tasks;
    void Add(const CString& s) { calls.push_back(s.ToUtf8()); }

    void ResetAllState() override { Add(L"list reset"); }
    void SetDeviceState(int type, int state) override { Add(CString::Formatted(L"list %d=%d", type, state)); }
    void ClosePopups() override { Add(L"close popups"); }
    void SetConnectionText(int text) override { Add(CString::Formatted(L"connection text %d", text)); }
    void RefreshPageSet() override { Add(L"refresh pages"); }
    void SelectTab(int position) override { Add(CString::Formatted(L"tab %d", position)); }
    void ShowTabBar(bool v) override { Add(CString::Formatted(L"tab bar %d", v ? 1 : 0)); }
    void ShowSidebar(bool v) override { Add(CString::Formatted(L"sidebar %d", v ? 1 : 0)); }
    void ShowPageAreas(bool v) override { Add(CString::Formatted(L"page areas %d", v ? 1 : 0)); }
    void SetPageHeader(int text, const CString& icon) override { Add(CString::Formatted(L"header %d %s", text, icon)); }
    void ClearPageHeader() override { Add(L"header cleared"); }
    void RepaintSidebarAndTabBar() override { Add(L"repaint"); }
    void QueueTask(int code) override { tasks.push_back(code); }
};

DeviceRecord Mode(int mode, int pid, const wchar_t* product, const wchar_t* pattern)
{
    DeviceRecord r;
    r.name = product;
    r.device_type = 201;
    r.mode = mode;
    r.vid = Vid;
    r.pid = pid;
    r.hid_interface = pattern;
    return r;
}

class ConnectionStateTest : public ::testing::Test {
protected:
    ConnectionStateTest()
    {
        modes = {Mode(0, 0x0201, L"K201", L"VID_3A71&PID_0201&MI_01"), Mode(1, 0x0202, L"", L"VID_3A71&PID_0202"),
                 Mode(2, 0x0203, L"K201 BT", L"VID&00023A71_PID&0203")};
        for (const DeviceRecord& m : modes)
            device.AddModel(m.vid, m.pid, m.name, m.device_type, m.mode, m.hid_interface);
    }
    EmulatedKeyboard& Plug(std::vector<int> linkModes)
    {
        std::vector<EmulatedKeyboard::Link> links;
        for (int m : linkModes)
            links.push_back({m, Vid, static_cast<uint16_t>(0x0201 + m), m == 2 ? L"K201 BT" : L"K201", true});
        return bus.AddKeyboard(201, links);
    }
    // The interface path the emulator lists for the command collection of a link.
    CString PathOf(int mode)
    {
        for (const HidDeviceInfo& info : bus.Enumerate(0, 0))
            if (info.product_id == 0x0201 + mode && info.usage_page == 0xFF01 && info.interface_number != 3)
                return info.interface_path;
        return {};
    }

    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    std::vector<DeviceRecord> modes;
    Recording rec;
    ConnectionState state{device, modes, rec, rec, rec};
};

TEST_F(ConnectionStateTest, CableAndWirelessTogetherUseTheCable)
{
    Plug({0, 1});
    int started = 0;
    state.FirstConnection([&] { ++started; });
    state.FirstConnection([&] { ++started; });
    EXPECT_EQ(started, 1) << "the first connection runs once";
    EXPECT_TRUE(state.Present());
    EXPECT_TRUE(state.Connected());
    EXPECT_EQ(state.ConnectionMode(), 0);
    EXPECT_EQ(modes[0].connected, 1);
    EXPECT_EQ(modes[1].connected, 1);
    EXPECT_EQ(modes[2].connected, 0);
    EXPECT_THAT(rec.calls, ElementsAre("list reset", "list 201=1", "list 201=1", "close popups", "connection text 60",
                                       "refresh pages", "tab bar 1", "sidebar 1", "page areas 1",
                                       "header 51 icon/icon_keyboard.png", "tab 1", "repaint"));
    EXPECT_THAT(rec.tasks, ElementsAre(13, 5));
    EXPECT_EQ(device.ChooseInterface()->mode, 0);
}

TEST_F(ConnectionStateTest, NothingPresentShowsTheNoKeyboardState)
{
    state.RescanAndSetUp();
    EXPECT_FALSE(state.Present());
    EXPECT_THAT(rec.calls, ElementsAre("list reset", "close popups", "connection text 61", "tab 0", "sidebar 0",
                                       "tab bar 0", "header cleared"));
    EXPECT_THAT(rec.tasks, IsEmpty());
}

TEST_F(ConnectionStateTest, AWirelessInterfaceNoModeMatchedIsNoKeyboard)
{
    // The device link opens the link through a model without a product check, but the only mode
    // record with these ids names a product the interface does not have.
    modes = {Mode(1, 0x0202, L"K201 Receiver", L"PID_0202")};
    Plug({1});
    state.RescanAndSetUp();
    EXPECT_TRUE(state.Present());
    EXPECT_FALSE(state.Connected());
    EXPECT_EQ(state.ConnectionMode(), 1);
    EXPECT_THAT(rec.calls, ElementsAre("list reset", "close popups", "connection text 60", "refresh pages",
                                       "connection text 61", "tab 0", "tab bar 0", "sidebar 0", "header cleared"));
    EXPECT_THAT(rec.tasks, IsEmpty());
}

TEST_F(ConnectionStateTest, UnpluggingTheCableSwitchesToWireless)
{
    EmulatedKeyboard& keyboard = Plug({0, 2});
    state.RescanAndSetUp();
    ASSERT_EQ(state.ConnectionMode(), 0);
    const CString cable = PathOf(0);
    keyboard.SetPlugged(0, false);
    rec.tasks.clear();
    state.OnDeviceChange(ConnectionState::DeviceRemoveComplete, cable);
    EXPECT_THAT(rec.tasks, ElementsAre(3));
    EXPECT_EQ(modes[0].connected, 0);
    state.RescanAndSetUp();
    EXPECT_EQ(state.ConnectionMode(), 2);
    EXPECT_EQ(device.ChooseInterface()->mode, 2);
}

TEST_F(ConnectionStateTest, NotificationsMatchPatternsAndSkipBluetoothLowEnergy)
{
    struct Case {
        unsigned event;
        const wchar_t* path;
        std::vector<int> tasks;
    };
    const Case cases[] = {
        {0x8000, L"\\\\?\\hid#vid_3a71&pid_0201&mi_01#8&1&0&0000#{x}", {2}},  // matched after upper-casing
        {0x8000, L"\\\\?\\HID#VID_1234&PID_0001#1", {}},                      // another product
        {0x8000, L"\\\\?\\HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID&023A71_PID&0202#", {}},
        {0x8004, L"\\\\?\\HID#VID_3A71&PID_0202#1", {}},                      // not marked connected
        {0x8001, L"\\\\?\\HID#VID_3A71&PID_0201&MI_01#", {}},                 // neither arrival nor removal
    };
    for (const Case& c : cases) {
        rec.tasks.clear();
        state.OnDeviceChange(c.event, c.path);
        EXPECT_EQ(rec.tasks, c.tasks) << CString(c.path).ToUtf8();
    }
    // A mode without a pattern matches every arrival.
    modes.push_back(Mode(2, 0x0203, L"", L""));
    rec.tasks.clear();
    state.OnDeviceChange(0x8000, L"\\\\?\\HID#VID_1234&PID_0001#1");
    EXPECT_THAT(rec.tasks, ElementsAre(2));
}

TEST_F(ConnectionStateTest, ASecondRescanIsIdempotentButQueuesAgain)
{
    Plug({1});
    state.RescanAndSetUp();
    state.RescanAndSetUp();
    EXPECT_EQ(state.ConnectionMode(), 1);
    EXPECT_THAT(rec.tasks, ElementsAre(13, 5, 13, 5));
    std::vector<KeyboardDevice::Interface> list;
    device.SelectDeviceType(0);
    ASSERT_TRUE(device.ListInterfaces(list));
    EXPECT_EQ(list.size(), 1u);
}

} // namespace

namespace {

// A view that waits for another thread using the device, as a window may wait for the UI
// thread while that thread sends a colour-slot report.
class WaitingView : public Recording {
public:
    KeyboardDevice* device = nullptr;
    bool waitedOk = true;
    void SetDeviceState(int, int) override { Wait(); }
    void SetConnectionText(int) override { Wait(); }

private:
    void Wait()
    {
        // Detached, so a failure is a failed wait, not a hung test.
        auto done = std::make_shared<std::promise<void>>();
        std::future<void> finished = done->get_future();
        std::thread([device = device, done] {
            const std::array<uint8_t, 8> report{7, 0xFF};
            device->SendFeatureNow(report);
            done->set_value();
        }).detach();
        waitedOk = waitedOk && finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    }
};

TEST_F(ConnectionStateTest, ViewsAreNeverCalledWithTheDeviceHeld)
{
    Plug({0});
    WaitingView view;
    view.device = &device;
    ConnectionState waiting(device, modes, view, view, view);
    waiting.RescanAndSetUp();
    EXPECT_TRUE(view.waitedOk) << "another thread could not reach the device while a view ran";
    EXPECT_EQ(waiting.ConnectionMode(), 0);
}

} // namespace
