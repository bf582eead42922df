#include "platform/SettingsFile.h"
#include "platform/tests/TempHome.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using corvane::SettingsFile;
using tarn::CString;

namespace {

std::string Contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(SettingsFile, MissingFileIsCreatedAndReadsZero)
{
    corvane::test::TempHome home("settings");
    const SettingsFile settings(home.Config(), L"Corvane");
    EXPECT_EQ(settings.Path(), home.Config() / "Corvane" / "settings");

    EXPECT_EQ(settings.ReadSetting(L"exit_mode"), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(settings.Path())) << "reading creates the key";
    EXPECT_EQ(settings.ReadStartupLcid(), 0) << "a created key reads 0, not the fallback";
}

TEST(SettingsFile, ValuesReadLikeWtoi)
{
    corvane::test::TempHome home("settings");
    const SettingsFile settings(home.Config(), L"Corvane");
    struct Case {
        std::string line;
        int expected;
    };
    const Case cases[] = {
        {"LCID=1055\n", 1055},
        {"LCID=abc\n", 0},
        {"LCID=  42xyz\r\n", 42},
        {"lcid=2057\n", 2057},          // names compare without case
        {"LCID=\n", 0},
        {"exit_mode=2\n", 0},           // another value: LCID missing
        {"LCID=" + std::string(300, '7') + "\n", 2147483647}, // long values count, saturated
        {"LCID=1033", 1033},            // no final newline
    };
    for (const Case& c : cases) {
        Put(settings.Path(), c.line);
        EXPECT_EQ(settings.ReadSetting(L"LCID"), c.expected) << c.line;
        EXPECT_EQ(settings.ReadStartupLcid(), c.expected) << c.line;
    }
}

TEST(SettingsFile, UnreadableFileReadsZeroButStartupLcidFallsBackToEnglish)
{
    corvane::test::TempHome home("settings");
    const SettingsFile settings(home.Config(), L"Corvane");
    std::filesystem::create_directories(settings.Path()); // a folder where the file should be

    EXPECT_EQ(settings.ReadSetting(L"LCID"), 0);
    EXPECT_EQ(settings.ReadStartupLcid(), 1033);
    EXPECT_FALSE(settings.WriteSetting(L"LCID", L"1055"));
    EXPECT_TRUE(std::filesystem::is_directory(settings.Path())) << "nothing is replaced";
}

TEST(SettingsFile, WriteKeepsOtherValuesAndReplacesDuplicates)
{
    corvane::test::TempHome home("settings");
    const SettingsFile settings(home.Config(), L"Corvane");
    Put(settings.Path(), "exit_mode=1\nLCID=1033\nfuture=x=y\nlcid=9\n");

    EXPECT_TRUE(settings.WriteSetting(L"LCID", L"1055"));
    EXPECT_EQ(Contents(settings.Path()), "exit_mode=1\nLCID=1055\nfuture=x=y\n");
    EXPECT_TRUE(settings.WriteSetting(L"exit_mode", L"0"));
    EXPECT_EQ(settings.ReadSetting(L"exit_mode"), 0);
    EXPECT_EQ(settings.ReadSetting(L"LCID"), 1055);
}

TEST(SettingsFile, WriteCreatesAMissingFileAndRefusesTextThatWouldBreakIt)
{
    corvane::test::TempHome home("settings");
    const SettingsFile settings(home.Config(), L"Corvane");
    EXPECT_TRUE(settings.WriteSetting(L"LCID", L"1055"));
    EXPECT_EQ(settings.ReadStartupLcid(), 1055);

    EXPECT_FALSE(settings.WriteSetting(L"LCID", L"1\nexit_mode=2"));
    EXPECT_FALSE(settings.WriteSetting(L"a=b", L"1"));
    EXPECT_FALSE(settings.WriteSetting(L"", L"1"));
    EXPECT_EQ(Contents(settings.Path()), "LCID=1055\n");
}

TEST(SettingsFile, DeviceNamesStayOneFolder)
{
    corvane::test::TempHome home("settings");
    EXPECT_EQ(SettingsFile(home.Config(), L"a/../b").Path(), home.Config() / "a_.._b" / "settings");
    EXPECT_EQ(SettingsFile(home.Config(), L"..").Path(), home.Config() / "_" / "settings");
    EXPECT_EQ(SettingsFile(home.Config(), L"").Path(), home.Config() / "_" / "settings");
    EXPECT_EQ(SettingsFile(home.Config(), L"Türkçe").Path(), home.Config() / "T\xC3\xBCrk\xC3\xA7" "e" / "settings");
}
