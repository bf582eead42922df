#include "keys/ProcessLauncher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace corvane;
namespace fs = std::filesystem;

namespace {

class ProcessLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-keys-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_F(ProcessLauncherTest, RunsProgramsFromAnArgumentVector)
{
    EXPECT_EQ(ProcessLauncher::RunAndWait({"/bin/true"}), 0);
    EXPECT_EQ(ProcessLauncher::RunAndWait({"false"}), 1); // found in PATH
    EXPECT_EQ(ProcessLauncher::RunAndWait({"/nowhere/program"}), -1);
    EXPECT_EQ(ProcessLauncher::RunAndWait({}), -1);
    // Each argument arrives as it is: spaces and shell characters mean nothing.
    EXPECT_EQ(ProcessLauncher::RunAndWait({"test", "a b;$(x)", "=", "a b;$(x)"}), 0);
    EXPECT_EQ(ProcessLauncher::RunAndWait({"test", "*", "=", "*"}), 0);
}

TEST_F(ProcessLauncherTest, StartsDetached)
{
    EXPECT_TRUE(ProcessLauncher::SpawnDetached({"/bin/true"}));
    EXPECT_FALSE(ProcessLauncher::SpawnDetached({"/nowhere/program"}));
    EXPECT_FALSE(ProcessLauncher::SpawnDetached({""}));
}

TEST_F(ProcessLauncherTest, ExecutablesStartThemselvesOtherFilesGoToTheOpener)
{
    const fs::path document = m_dir / "notes.txt";
    std::ofstream(document) << "text";
    const ProcessLauncher no_opener("/nowhere/opener");
    const ProcessLauncher opener("/bin/true");

    EXPECT_TRUE(no_opener.StartProgram(L"/bin/true"));
    EXPECT_FALSE(no_opener.StartProgram(tarn::CString::FromUtf8(document.string())));
    EXPECT_TRUE(opener.StartProgram(tarn::CString::FromUtf8(document.string())));
    // A bare name is a file for the opener, not a command looked up in PATH.
    EXPECT_FALSE(no_opener.StartProgram(L"true"));

    // A path with shell syntax names a file that does not exist; nothing runs.
    const fs::path marker = m_dir / "marker";
    const std::string injected = "/bin/true; touch " + marker.string();
    EXPECT_FALSE(no_opener.StartProgram(tarn::CString::FromUtf8(injected)));
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(ProcessLauncherTest, AddressesGoToTheOpener)
{
    EXPECT_TRUE(ProcessLauncher("/bin/true").OpenAddress(L"http://www.example.com"));
    EXPECT_FALSE(ProcessLauncher("/nowhere/opener").OpenAddress(L"http://www.example.com"));
    // Nothing to open, or a target the opener would read as an option.
    EXPECT_FALSE(ProcessLauncher("/bin/true").OpenAddress(L""));
    EXPECT_FALSE(ProcessLauncher("/bin/true").OpenAddress(L"--help"));
}

} // namespace
