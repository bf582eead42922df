#include "app/DeviceTasks.h"
#include "app/WorkerHost.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSink.h"
#include "catalogue/Layout.h"
#include "catalogue/LayoutViews.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/VirtualClock.h"
#include "store/ConfigStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

// Everything around the tasks, recorded or fixed: the main window's state, the pages, the
// firmware check, the worker's host and the layout's views.
class Surroundings : public DeviceTaskState, public ResetPages, public FirmwareVersionSink, public WorkerHost,
                     public LayoutPageView, public CatalogueSink {
public:
    int connection = 0;
    int lightMode = 3;
    std::vector<std::string> log;

    int ConnectionMode() override { return connection; }
    int CurrentProfile() override { return 1; }
    int CurrentFnLayer() override { return 0; }
    int CurrentLightMode() override { return lightMode; }
    int ColourSlot() override { return 0; }
    tarn::CString ServerFirmwareVersion() override { return L"1.0.6"; }
    void ReloadMacroList() override { log.push_back("reload macros"); }
    void ReloadProfileList() override { log.push_back("reload profiles"); }
    void ReloadLightPage() override { log.push_back("reload lighting"); }
    void OnKeyboardFirmwareVersion(int number) override { log.push_back("firmware " + std::to_string(number)); }
    bool KeyboardPresent() override { return true; }
    bool KeyboardConnected() override { return true; }
    void EnableMainWindow(bool on) override { log.push_back(on ? "enable" : "disable"); }
    void PostTaskDone(uint64_t token) override { log.push_back("done " + std::to_string(token)); }
    void IdlePass() override {}
    void PlayMacro(int) override {}
    void SetTabItemVisible(int, bool) override {}
    void SetSliderMaximum(int, int) override {}
    void ShowFirmwareButton(bool) override {}
    void AddDevice(const tarn::CString&, int, int, int, bool) override {}
    void AddModel(int, int, const tarn::CString&, int, int, const tarn::CString&) override {}
    void SetVersionText(const tarn::CString&) override {}
    void SetCopyrightText(const tarn::CString&) override {}
};

class StoreSwitch : public LayoutStore {
public:
    bool IsOpen() override { return false; }
    void Close() override {}
    bool OpenForDevice(const tarn::CString&) override { return true; }
    void SetDeviceType(int) override {}
};

// The shipped K201 on an emulated cable, its layout loaded and a store of its own.
class DeviceTasksTest : public ::testing::Test {
protected:
    DeviceTasksTest()
    {
        folder = std::filesystem::temp_directory_path() / ("corvane-tasks-" + std::to_string(::getpid()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "db");
        EXPECT_TRUE(store.OpenForDevice(folder, L"K201"));
        catalogue.Read(CORVANE_PROGRAM_DIR, around);
        for (const DeviceRecord& m : catalogue.DeviceModes())
            device.AddModel(m.vid, m.pid, m.name, m.device_type, m.mode, m.hid_interface);
        EXPECT_TRUE(layout.LoadLayout(201));
        keyboard = &bus.AddKeyboard(201, {{0, 0x3A71, 0x0201, L"Corvane K201", true}});
        keyboard->SetFirmwareVersion(0x0105);
        device.OpenAll();
        device.SetOpened(true);
        device.SelectDeviceType(201);
    }
    ~DeviceTasksTest() override
    {
        store.Close();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    ConfigStore store;
    Surroundings around;
    StoreSwitch storeSwitch;
    Catalogue catalogue;
    Layout layout{catalogue, CORVANE_PROGRAM_DIR, storeSwitch, around, {}};
    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    EmulatedKeyboard* keyboard = nullptr;
    DeviceTasks tasks{device, clock, store, layout, around, around, around, [](int vk) { return vk == 65 ? 4 : 0; }};
};

TEST_F(DeviceTasksTest, LightTaskThroughTheWorker)
{
    LightRecord row;
    row.profile = 1;
    row.name = L"803";
    row.mode = 3;
    row.brightness = 4;
    row.speed = 2;
    row.direction = 2;
    ASSERT_GT(store.AddLightMode(row), 0);

    TaskQueue queue, playback;
    Worker worker(clock, queue, playback, around, tasks.Handlers());
    const uint64_t token = queue.QueueTaskWithWait(DeviceTasks::ApplyLight);
    worker.Run();
    EXPECT_THAT(around.log, ElementsAre("disable", "done " + std::to_string(token), "enable"));
    const auto light = keyboard->Light();
    EXPECT_EQ(light.mode, 2) << "light mode 3 travels as 2";
    EXPECT_EQ(light.brightness, 3);
    EXPECT_EQ(light.direction, 2);

    around.lightMode = 9;
    bus.GetTranscript().Clear();
    tasks.ApplyLightMode();
    EXPECT_TRUE(bus.GetTranscript().Entries().empty()) << "no row for the mode: nothing is sent";
}

TEST_F(DeviceTasksTest, KeyColourAndResetTasksUseTheLayoutAndTheStore)
{
    ASSERT_EQ(store.ReplaceKeyLights({{0, 1, 128, 0x29, 0x00332211}}), 1);
    tasks.UploadKeyColours();
    const auto colours = keyboard->GetTables().colours_a;
    EXPECT_THAT(std::vector<int>(colours.begin(), colours.begin() + 4), ElementsAre(0x11, 0x22, 0x33, 0xFF))
        << "Esc has key index 0 in the shipped layout";

    KeyMacroRecord key;
    key.profile = 1;
    key.key_code = 0x29;
    key.macro_type = 2;
    key.macro_value = 0x04;
    ASSERT_GT(store.SaveKeyAssignment(key), 0);
    tasks.UploadKeyMap();
    EXPECT_EQ(keyboard->GetTables().remap_slots_b.at(1), std::pair(0x29, 0x04));

    tasks.ResetKeyboard();
    tasks.CheckFirmwareVersion();
    EXPECT_EQ(keyboard->Light().resets, 1);
    EXPECT_THAT(around.log, ElementsAre("reload macros", "reload profiles", "reload lighting", "firmware 105"));
}

} // namespace
