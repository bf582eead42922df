#include "tools/corvanectl/tests/RunCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string out;
};

// `env` is prefixed as environment assignments, e.g. "DISPLAY=".
Outcome Corvanectl(const std::string& args, const std::string& env = "")
{
    Outcome run{-1, {}};
    run.status = corvane::test::RunCommand(env + " " + std::string(CORVANECTL) + " " + args + " 2>&1", run.out);
    return run;
}

TEST(Corvanectl, CatalogueOfTheShippedData)
{
    const Outcome run = Corvanectl(std::string("--program-dir ") + CORVANE_PROGRAM_DIR + " catalogue");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.rfind("kind\tname\tdevice_type\tdevice_info\tmode\tvid\tpid\tdesc\thid_interface\n", 0), 0u);
    EXPECT_NE(run.out.find("keyboard\tCorvane K201\t201\tk201\t0\t0000\t0000\t\t\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("mode\tCorvane K201\t201\tk201\t0\t3a71\t0201\tUSB cable\tVID_3A71&PID_0201&MI_01\n"),
              std::string::npos) << run.out;
    EXPECT_NE(run.out.find("keyboard\tCorvane K100\t100\tk100\t"), std::string::npos);
    EXPECT_NE(run.out.find("\nversion\t1.0.0\n"), std::string::npos);
    EXPECT_NE(run.out.find("\ndevice_name\tCorvane\n"), std::string::npos);
}

TEST(Corvanectl, MissingConfigGivesEmptyTablesAndTheDefaultName)
{
    const auto empty = std::filesystem::temp_directory_path() / ("corvanectl-empty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    const Outcome run = Corvanectl("--program-dir " + empty.string() + " catalogue");
    std::filesystem::remove_all(empty);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out,
              "kind\tname\tdevice_type\tdevice_info\tmode\tvid\tpid\tdesc\thid_interface\n"
              "version\t\nwebsite\t\nstore\t\nupgrade\t\ncopyright\t\ndevice_name\tTarnUI\n");
}

TEST(Corvanectl, UsageErrorsExitWithTwo)
{
    for (const char* args : {"", "frobnicate", "--program-dir", "--bogus catalogue", "--device-type x catalogue",
                             "catalogue extra"}) {
        const Outcome run = Corvanectl(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.out.find("corvanectl: "), std::string::npos) << args;
    }
    EXPECT_EQ(Corvanectl("--help").status, 0);
}

} // namespace

namespace {

TEST(Corvanectl, ScanAgainstTheEmulator)
{
    struct Case {
        const char* args;
        std::vector<std::string> expected;
    };
    const std::string dir = std::string("--program-dir ") + CORVANE_PROGRAM_DIR + " ";
    const Case cases[] = {
        {"--emulate 201:cable,wireless2 scan",
         {"interface\tcmd\t0\t201\t3a71\t0201\tff01\t0001\t1\t\\\\?\\HID#VID_3A71&PID_0201&MI_01#",
          "interface\tcmd\t2\t201\t3a71\t0203\tff01\t0001\t-1\t",
          "interface\tlive\t0\t201\t3a71\t0201\tff01\t0001\t3\t", "present\t1", "connected\t1",
          "connection_mode\t0", "chosen_mode\t0"}},
        {"--emulate 201:wireless1,wireless2 scan",
         {"interface\tcmd\t1\t", "interface\tcmd\t2\t", "present\t1", "connected\t1", "connection_mode\t2",
          "chosen_mode\t1"}},
        {"--emulate 100:cable --device-type 100 scan",
         {"interface\tcmd\t0\t100\t", "interface\tlive\t0\t100\t", "present\t1", "connected\t1",
          "connection_mode\t0", "chosen_mode\t0"}},
    };
    for (const Case& c : cases) {
        const Outcome run = Corvanectl(dir + c.args);
        ASSERT_EQ(run.status, 0) << c.args << "\n" << run.out;
        size_t at = 0;
        for (const std::string& line : c.expected) {
            const size_t found = run.out.find(line, at);
            ASSERT_NE(found, std::string::npos) << c.args << ": no \"" << line << "\" in order in\n" << run.out;
            at = found + line.size();
        }
    }
    EXPECT_EQ(Corvanectl(dir + "--emulate 201:cable,cable scan").status, 2);
    EXPECT_EQ(Corvanectl(dir + "--emulate 201:wired scan").status, 2);
    EXPECT_EQ(Corvanectl(dir + "--emulate 100:wireless1 scan").status, 2) << "the catalogue has no such mode";
}

} // namespace

namespace {

TEST(Corvanectl, LayoutOfTheShippedModelSwitchesItsDatabase)
{
    const auto data = std::filesystem::temp_directory_path() / ("corvanectl-layout-" + std::to_string(::getpid()));
    std::filesystem::remove_all(data);
    const std::string dir = std::string("--program-dir ") + CORVANE_PROGRAM_DIR + " --data-dir " + data.string() + " ";

    const Outcome run = Corvanectl(dir + "layout");
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* line : {"device_type\t201\n", "model\tCorvane K201\n", "flags\t0x47\n", "size\t6\t21\n",
                             "mode\t809\t9\t512\n", "matrix\t5\te0\te3\te2\t2c\te6\taf\t65\te4\t",
                             "key\taf\tFn\tFn\t"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
    }
    EXPECT_TRUE(std::filesystem::exists(data / "db" / "Corvane K201_data_v1.db"));

    // No model of that type: the defaults, a database without a model name, and success.
    const Outcome none = Corvanectl(dir + "--device-type 555 layout");
    ASSERT_EQ(none.status, 0) << none.out;
    EXPECT_NE(none.out.find("flags\t0x7f\n"), std::string::npos);
    EXPECT_EQ(none.out.find("\nkey\t"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(data / "db" / "_data_v1.db"));
    std::filesystem::remove_all(data);
}

} // namespace

namespace {

TEST(Corvanectl, PostChecksItsNumbersAndNeedsARunningWindow)
{
    const std::string dir = std::string("--program-dir ") + CORVANE_PROGRAM_DIR + " ";
    for (const char* args : {"post", "post 1691 610", "post x 610 0", "post 70000 0 0", "post 1691 -1 0",
                             "post 1691 610 0x1ffffffff", "post 1691 610 0 9"}) {
        const Outcome run = Corvanectl(dir + args);
        EXPECT_EQ(run.status, 2) << args << "\n" << run.out;
    }
    // No program runs with this name on any display: an empty display string opens nothing.
    const Outcome none = Corvanectl(dir + "post 1691 610 0", "DISPLAY=");
    EXPECT_EQ(none.status, 1) << none.out;
    EXPECT_NE(none.out.find("no running Corvane window"), std::string::npos) << none.out;
}

} // namespace
