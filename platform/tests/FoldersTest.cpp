#include "platform/DataFolder.h"
#include "platform/XdgFolders.h"
#include "platform/tests/TempHome.h"

#include <gtest/gtest.h>

#include <fstream>

using corvane::DataFolder;
using corvane::XdgFolders;

TEST(XdgFolders, VariablesWinAndRelativeOnesAreIgnored)
{
    corvane::test::TempHome home("xdg");
    EXPECT_EQ(XdgFolders::ConfigHome(), home.Config());
    EXPECT_EQ(XdgFolders::DataHome(), home.Data());
    EXPECT_EQ(XdgFolders::RuntimeDir(), home.Runtime());

    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("XDG_RUNTIME_DIR", "", 1);
    EXPECT_EQ(XdgFolders::ConfigHome(), home.Home() / ".config");
    EXPECT_EQ(XdgFolders::DataHome(), home.Home() / ".local" / "share");
    EXPECT_EQ(XdgFolders::RuntimeDir(), std::filesystem::path());
}

TEST(DataFolder, IsTheDeviceFilesFolderOfTheDataHome)
{
    EXPECT_EQ(DataFolder::ForDevice("/d", L"Corvane").string(), "/d/Corvane Files/");
    EXPECT_EQ(DataFolder::ForDevice("/d", L"a/b").string(), "/d/a_b Files/");
}

TEST(DataFolder, CreatesSeveralMissingLevels)
{
    corvane::test::TempHome home("data");
    struct Case {
        const char* name;
        std::filesystem::path dataHome;
    };
    const Case cases[] = {
        {"only the device folder missing", home.Data()},
        {"data home and its parents missing", home.Root() / "x" / "y" / "share"},
    };
    for (const Case& c : cases) {
        const auto db = DataFolder::ForDevice(c.dataHome, L"Corvane") / "db";
        EXPECT_TRUE(DataFolder::CreateLevels(db)) << c.name;
        EXPECT_TRUE(std::filesystem::is_directory(db)) << c.name;
        EXPECT_TRUE(DataFolder::CreateLevels(db)) << c.name << ": existing levels are no error";
    }
}

TEST(DataFolder, ALevelThatIsAFileFailsQuietly)
{
    corvane::test::TempHome home("data");
    std::ofstream(home.Data() / "Corvane Files") << "x";
    EXPECT_FALSE(DataFolder::CreateLevels(DataFolder::ForDevice(home.Data(), L"Corvane") / "db"));
}
