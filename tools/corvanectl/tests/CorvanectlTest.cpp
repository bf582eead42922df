#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int status;
    std::string out;
};

Outcome Corvanectl(const std::string& args)
{
    const std::string command = std::string(CORVANECTL) + " " + args + " 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    Outcome run{-1, {}};
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
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
