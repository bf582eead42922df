#include "app/ProcessStart.h"
#include "platform/tests/TempHome.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <fstream>

using corvane::ProcessContext;
using corvane::ProcessStart;
using corvane::SingleInstanceLock;
using tarn::CString;

namespace {

struct RecordingHost : corvane::MainWindowHost {
    std::vector<CString> activated;
    int windows = 0;
    ProcessContext seen;
    bool dbExisted = false;

    void ActivateFirstInstance(const CString& name) override { activated.push_back(name); }
    void RunMainWindow(ProcessContext& context) override
    {
        ++windows;
        seen = context;
        dbExisted = std::filesystem::is_directory(context.dataFolder / "db");
    }
};

ProcessStart::Environment EnvironmentIn(const corvane::test::TempHome& home, int uiLanguage = 1033)
{
    return {home.Root() / "program", home.Config(), home.Data() / "deep" / "share", home.Runtime(),
            [uiLanguage] { return uiLanguage; }};
}

void WriteConfig(const corvane::test::TempHome& home, const char* name)
{
    std::filesystem::create_directories(home.Root() / "program");
    std::ofstream(home.Root() / "program" / "config.xml")
        << "<?xml version=\"1.0\"?><config><software name=\"" << name << "\" version=\"1\"/></config>";
}

} // namespace

TEST(ProcessStart, FirstStartRunsTheWindowWithLanguageAndDataFolder)
{
    corvane::test::TempHome home("start");
    WriteConfig(home, "TestKb");
    RecordingHost host;
    ProcessStart start(EnvironmentIn(home, 1055));

    EXPECT_EQ(start.Run(host), 1);
    EXPECT_EQ(host.windows, 1);
    EXPECT_TRUE(host.activated.empty());
    EXPECT_EQ(host.seen.deviceName, CString(L"TestKb"));
    EXPECT_EQ(host.seen.dataFolder, home.Data() / "deep" / "share" / "TestKb Files" / "");
    EXPECT_TRUE(host.dbExisted) << "several missing levels are created";
    ASSERT_NE(host.seen.language, nullptr);
    EXPECT_EQ(host.seen.language->Current(), 1055);
    EXPECT_EQ(corvane::SettingsFile(home.Config(), L"TestKb").ReadSetting(L"LCID"), 1055);
}

TEST(ProcessStart, SecondStartActivatesTheFirstAndReturnsZero)
{
    corvane::test::TempHome home("start");
    WriteConfig(home, "TestKb");
    SingleInstanceLock running;
    ASSERT_EQ(running.Acquire(L"TestKb", home.Runtime()), SingleInstanceLock::Result::Acquired);
    RecordingHost host;
    ProcessStart start(EnvironmentIn(home));

    EXPECT_EQ(start.Run(host), 0);
    EXPECT_EQ(host.windows, 0);
    ASSERT_EQ(host.activated.size(), 1u);
    EXPECT_EQ(host.activated[0], CString(L"TestKb"));
    EXPECT_FALSE(std::filesystem::exists(home.Config() / "TestKb")) << "nothing else is started";
}

TEST(ProcessStart, TheLockFollowsTheConfiguredName)
{
    corvane::test::TempHome home("start");
    WriteConfig(home, "OtherKb");
    SingleInstanceLock running;
    ASSERT_EQ(running.Acquire(L"TestKb", home.Runtime()), SingleInstanceLock::Result::Acquired);
    RecordingHost host;
    ProcessStart start(EnvironmentIn(home));
    EXPECT_EQ(start.Run(host), 1);
    EXPECT_EQ(host.windows, 1);
}

TEST(ProcessStart, MissingConfigUsesTheDefaultName)
{
    corvane::test::TempHome home("start");
    RecordingHost host;
    ProcessStart first(EnvironmentIn(home));
    EXPECT_EQ(first.Run(host), 1);
    EXPECT_EQ(host.seen.deviceName, CString(L"TarnUI"));

    // The first object still holds the lock, as a running program would.
    RecordingHost second;
    EXPECT_EQ(ProcessStart(EnvironmentIn(home)).Run(second), 0);
    EXPECT_EQ(second.activated.size(), 1u);
}
