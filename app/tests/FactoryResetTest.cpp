#include "app/AutostartSwitch.h"
#include "app/FactoryReset.h"
#include "app/Language.h"
#include "app/LayoutLoader.h"
#include "app/ResetStore.h"
#include "app/ResetUi.h"
#include "app/VirtualHidTable.h"
#include "app/WaitTaskQueue.h"
#include "platform/tests/TempHome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using corvane::DeviceRecord;
using corvane::FactoryReset;
using corvane::Language;
using corvane::SettingsFile;

namespace {

// Every collaborator writes one line to the same log, so the order shows.
struct Log {
    std::vector<std::string> lines;
};

struct FakeUi : corvane::ResetUi {
    explicit FakeUi(Log& l) : log(l) {}
    Log& log;
    void ApplyAllTexts() override { log.lines.push_back("ui.ApplyAllTexts"); }
    void SelectLanguage(int lcid) override { log.lines.push_back("ui.SelectLanguage " + std::to_string(lcid)); }
    void SelectFirstColourSet() override { log.lines.push_back("ui.SelectFirstColourSet"); }
    void SetAutostartCheck(bool on) override { log.lines.push_back(std::string("ui.SetAutostartCheck ") + (on ? "1" : "0")); }
};

struct FakeAutostart : corvane::AutostartSwitch {
    explicit FakeAutostart(Log& l) : log(l) {}
    Log& log;
    bool IsOn() override { return true; }
    bool TurnOn() override { log.lines.push_back("autostart.TurnOn"); return true; }
    bool TurnOff() override { log.lines.push_back("autostart.TurnOff"); return true; }
};

struct FakeStore : corvane::ResetStore {
    FakeStore(Log& l, bool o) : log(l), open(o) {}
    Log& log;
    bool open;
    bool IsOpen() override { return open; }
    void Close() override { log.lines.push_back("store.Close"); open = false; }
    bool DeleteDatabaseFile(const tarn::CString& m) override { log.lines.push_back("store.DeleteDatabaseFile " + m.ToUtf8()); return true; }
    bool OpenForDevice(const tarn::CString& m) override { log.lines.push_back("store.OpenForDevice " + m.ToUtf8()); open = true; return true; }
};

struct FakeLayouts : corvane::LayoutLoader {
    explicit FakeLayouts(Log& l) : log(l) {}
    Log& log;
    void LoadLayout(int type) override { log.lines.push_back("layouts.LoadLayout " + std::to_string(type)); }
};

struct FakeVhid : corvane::VirtualHidTable {
    explicit FakeVhid(Log& l) : log(l) {}
    Log& log;
    void RefreshKeyTable() override { log.lines.push_back("vhid.RefreshKeyTable"); }
};

struct FakeTasks : corvane::WaitTaskQueue {
    explicit FakeTasks(Log& l) : log(l) {}
    Log& log;
    void QueueTaskWithWait(int code) override { log.lines.push_back("tasks.QueueTaskWithWait " + std::to_string(code)); }
};

DeviceRecord Model(const wchar_t* name, int type)
{
    DeviceRecord r;
    r.name = name;
    r.device_type = type;
    return r;
}

struct ResetFixture {
    explicit ResetFixture(bool storeOpen, int uiLanguage)
        : home("reset"), settings(home.Config(), L"Corvane"),
          language(home.Root(), settings, [uiLanguage] { return uiLanguage; }),
          ui(log), autostart(log), store(log, storeOpen), layouts(log), vhid(log), tasks(log),
          reset({settings, language, ui, autostart, store, layouts, vhid, tasks})
    {
        std::filesystem::create_directories(settings.Path().parent_path());
        std::ofstream(settings.Path()) << "exit_mode=2\nLCID=1033\n";
        language.ChooseAtStart();
    }
    corvane::test::TempHome home;
    SettingsFile settings;
    Language language;
    Log log;
    FakeUi ui;
    FakeAutostart autostart;
    FakeStore store;
    FakeLayouts layouts;
    FakeVhid vhid;
    FakeTasks tasks;
    FactoryReset reset;
};

} // namespace

TEST(FactoryReset, RecreatesTheFirstModelsDatabaseAndQueuesTheKeyboardReset)
{
    ResetFixture f(true, 1055);
    f.reset.Run({Model(L"K201", 201), Model(L"K100", 100)});

    EXPECT_THAT(f.log.lines, ::testing::ElementsAre(
        "ui.SelectLanguage 1055", "ui.SelectFirstColourSet", "ui.ApplyAllTexts",
        "ui.SetAutostartCheck 0", "autostart.TurnOff",
        "store.Close", "store.DeleteDatabaseFile K201", "store.OpenForDevice K201",
        "layouts.LoadLayout 201", "vhid.RefreshKeyTable", "tasks.QueueTaskWithWait 10"));
    EXPECT_EQ(f.settings.ReadSetting(L"exit_mode"), 0) << "the next close asks again";
    EXPECT_EQ(f.settings.ReadSetting(L"LCID"), 1055);
    EXPECT_EQ(f.language.Current(), 1055);
}

TEST(FactoryReset, AClosedStoreIsNotClosedAgain)
{
    ResetFixture f(false, 1033);
    f.reset.Run({Model(L"K100", 100)});
    EXPECT_THAT(f.log.lines, ::testing::Contains("store.DeleteDatabaseFile K100"));
    EXPECT_THAT(f.log.lines, ::testing::Not(::testing::Contains("store.Close")));
    EXPECT_EQ(f.language.Current(), 1033);
}

TEST(FactoryReset, AnEmptyCatalogueEndsAfterTheAutostart)
{
    ResetFixture f(true, 1033);
    f.reset.Run({});
    ASSERT_FALSE(f.log.lines.empty());
    EXPECT_EQ(f.log.lines.back(), "autostart.TurnOff");
    EXPECT_EQ(f.settings.ReadSetting(L"exit_mode"), 0);
}
