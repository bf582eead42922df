// The keyboard commands end to end: the tool itself on a temporary data folder and home, against
// the emulator, its transcript compared with the report bytes of both families and links.
#include "store/ConfigStore.h"
#include "tools/corvanectl/tests/RunCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace fs = std::filesystem;
using corvane::ConfigStore;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;

    // The report lines, in order, without the emulator's state after them.
    std::vector<std::string> Reports() const
    {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("cmd", 0) == 0 || line.rfind("live", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }
    bool Has(const std::string& line) const { return ("\n" + out).find("\n" + line + "\n") != std::string::npos; }
};

// "<head> <bytes>" with the bytes zero-filled to the report's full size.
std::string Report(const std::string& head, std::vector<int> bytes, size_t size)
{
    bytes.resize(size, 0);
    std::string line = head;
    for (int b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", b);
        line += hex;
    }
    return line;
}

std::string Write(const std::string& head, std::vector<int> bytes)
{
    return Report(head, std::move(bytes), 65);
}

class CorvanectlDevice : public ::testing::Test {
protected:
    CorvanectlDevice()
    {
        root = fs::temp_directory_path() / ("corvanectl-" + std::to_string(::getpid()) + "-"
                                            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "home");
    }
    ~CorvanectlDevice() override { fs::remove_all(root); }

    // The home, config and data variables point into the temporary folder; the language is the
    // locale's unless a test names another.
    Outcome Run(const std::string& args, const std::string& lang = "C") const
    {
        const fs::path errors = root / "stderr";
        const std::string command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=" + lang + " HOME=" + (root / "home").string()
                                    + " XDG_CONFIG_HOME=" + (root / "config").string() + " XDG_DATA_HOME="
                                    + (root / "share").string() + " " + CORVANECTL + " --program-dir " + CORVANE_PROGRAM_DIR
                                    + " --data-dir " + Data().string() + " " + args + " 2>" + errors.string();
        Outcome run;
        run.status = corvane::test::RunCommand(command, run.out);
        std::ifstream in(errors);
        run.err.assign(std::istreambuf_iterator<char>(in), {});
        return run;
    }

    fs::path Data() const { return root / "data"; }

    // The model's database as the program would leave it, opened beside the tool.
    ConfigStore& Open(const wchar_t* model)
    {
        fs::create_directories(Data() / "db");
        EXPECT_TRUE(store.OpenForDevice(Data(), model));
        return store;
    }

    fs::path root;
    ConfigStore store;
};

TEST_F(CorvanectlDevice, LightSelectAndSetSendEachFamilysForm)
{
    // The shipped layouts' default rows: brightness 4, speed 3, colour index 0, multicolour,
    // direction 2 on the K201 and 0 on the K100; mode 3 has no slot selector.
    struct Case {
        const char* args;
        std::vector<std::string> reports;
        std::vector<std::string> state;
    };
    const Case cases[] = {
        {"--emulate 201:cable light select 3",
         {Report("cmd0 feature-set 16", {0x07, 0xFF, 0xFF, 0x02, 0x03, 0x02, 0x00, 0x02}, 8)},
         {"state light_mode 2", "state light_brightness 3", "state light_direction 2"}},
        {"--emulate 201:cable,wireless2 light select 3",
         {Report("cmd0 feature-set 16", {0x07, 0xFF, 0xFF, 0x02, 0x03, 0x02, 0x00, 0x02}, 8)},
         {"state light_mode 2"}},
        {"--emulate 201:wireless1 light select 3",
         {Write("cmd1 write 0", {0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x02, 0x03, 0x02, 0x00, 0x00, 0x02})},
         {"state light_mode 2", "state light_slot 0"}},
        {"--emulate 201:wireless2 light set --brightness 1 --colour-index 2",
         {Write("cmd2 write 0", {0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x02, 0x00, 0x22, 0x00, 0x00, 0x02})},
         {"state light_brightness 0", "state light_speed 34"}},
        {"--emulate 201:cable light set --direction 1", {Report("cmd0 feature-set 16", {7, 0xFF, 0xFF, 2, 3, 2, 0, 1}, 8)}, {}},
        // Family A: picking a mode sends the mode; changing a setting sends the effect.
        {"--device-type 100 --emulate 100:cable light select 3", {Write("cmd0 write 0", {0x00, 0x88, 0x00, 0x03})},
         {"state light_mode 3"}},
        {"--device-type 100 --emulate 100:cable light set --speed 2 --colour 0000ff",
         {Write("cmd0 write 0", {0x00, 0x89, 0x00, 0x02, 0x00, 0x00, 0xFF, 0x04})},
         {"state light_colour ff0000", "state light_brightness 4"}},
        {"--device-type 100 --emulate 100:cable light set --multicolour 1 --colour 112233",
         {Write("cmd0 write 0", {0x00, 0x89, 0x00, 0x43, 0x11, 0x22, 0x33, 0x04})}, {}},
        // The per-key mode is sent as a mode; music lighting sends nothing of its own.
        {"--device-type 100 --emulate 100:cable light select 8", {Write("cmd0 write 0", {0x00, 0x88, 0x00, 0x08})}, {}},
        {"--emulate 201:cable light select 9", {}, {"state light_mode -1"}},
        {"--emulate 201:cable light select 10", {}, {}},
    };
    for (const Case& c : cases) {
        fs::remove_all(Data());
        const Outcome run = Run(std::string("--transcript ") + c.args);
        ASSERT_EQ(run.status, 0) << c.args << "\n" << run.err;
        EXPECT_EQ(run.err, "") << c.args;
        EXPECT_EQ(run.Reports(), c.reports) << c.args << "\n" << run.out;
        for (const std::string& line : c.state)
            EXPECT_TRUE(run.Has(line)) << c.args << ": no " << line << " in\n" << run.out;
        EXPECT_TRUE(run.Has("state protocol_errors 0")) << c.args;
    }
}

TEST_F(CorvanectlDevice, LightModesLiveInTheStoreAsThePageKeepsThem)
{
    const Outcome fresh = Run("light show");
    ASSERT_EQ(fresh.status, 0) << fresh.err;
    EXPECT_TRUE(fresh.Has("3\t803\tWave\t4\t3\t2\t1\t0\tff0000\t0x067\t1")) << fresh.out;
    EXPECT_TRUE(fresh.Has("9\t809\tMusic rhythm\t4\t3\t2\t1\t0\tff0000\t0x200\t0")) << fresh.out;
    EXPECT_TRUE(fresh.Has("active\t3"));
    const Outcome a = Run("--device-type 100 light show");
    EXPECT_TRUE(a.Has("3\t803\tWave\t4\t3\t0\t1\t0\tff0000\t0x067\t1")) << "family A starts on direction 0\n" << a.out;

    ASSERT_EQ(Run("--emulate 201:cable light select 5").status, 0);
    ASSERT_EQ(Run("--emulate 201:cable light set --colour 123456 --speed 1").status, 0);
    // A colour clears the multicolour box; the other modes keep their rows.
    const Outcome shown = Run("light show");
    EXPECT_TRUE(shown.Has("5\t805\tRipple\t4\t1\t2\t0\t0\t123456\t0x043\t1")) << shown.out;
    EXPECT_TRUE(shown.Has("3\t803\tWave\t4\t3\t2\t1\t0\tff0000\t0x067\t0")) << shown.out;
    EXPECT_TRUE(shown.Has("active\t5"));
    ASSERT_EQ(Run("--emulate 201:cable light set --multicolour 1").status, 0);
    ASSERT_EQ(Run("--emulate 201:cable light set --multicolour 0").status, 0);
    EXPECT_TRUE(Run("light show").Has("5\t805\tRipple\t4\t1\t2\t0\t0\tff0000\t0x043\t1"))
        << "clearing the multicolour box turns the colour back to red";

    // The music-only mode is not offered over a wireless link; the mode with music and more is.
    const Outcome wireless = Run("--emulate 201:wireless1 light show");
    EXPECT_EQ(wireless.out.find("\n9\t809"), std::string::npos) << wireless.out;
    EXPECT_TRUE(wireless.Has("10\t810\tScreen sync\t4\t3\t2\t1\t0\tff0000\t0x401\t0"));

    // In the per-key mode a colour alone is the editor's painting colour: stored, not sent.
    ASSERT_EQ(Run("--emulate 201:cable light select 8").status, 0);
    const Outcome paint = Run("--transcript --emulate 201:cable light set --colour 00ff00");
    ASSERT_EQ(paint.status, 0) << paint.err;
    EXPECT_TRUE(paint.Reports().empty()) << paint.out;
    EXPECT_TRUE(Run("light show").Has("8\t808\tCustom\t4\t3\t2\t0\t0\t00ff00\t0x101\t1"));
}

TEST_F(CorvanectlDevice, ResetAndFirmwareVersion)
{
    struct Case {
        const char* args;
        std::vector<std::string> reports;
    };
    const Case cases[] = {
        {"--emulate 201:cable reset", {Report("cmd0 feature-set 16", {0x07, 0xF0, 0xAA}, 8)}},
        {"--emulate 201:wireless2 reset",
         {Write("cmd2 write 0", {0x00, 0xBB, 0xAA, 0x99, 0x88, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}),
          Write("cmd2 write 1600", {0x00, 0xBB, 0xAA, 0x99, 0x88})}},
        {"--device-type 100 --emulate 100:cable reset", {Write("cmd0 write 0", {0x00, 0xFF, 0xFE, 0xAA, 0xFF})}},
    };
    for (const Case& c : cases) {
        const Outcome run = Run(std::string("--transcript ") + c.args);
        ASSERT_EQ(run.status, 0) << c.args << "\n" << run.err;
        EXPECT_EQ(run.Reports(), c.reports) << c.args << "\n" << run.out;
        EXPECT_TRUE(run.Has("state resets 1")) << c.args << "\n" << run.out;
    }

    // The emulator answers 0x0100, printed "100" and read back as a decimal number.
    const Outcome version = Run("--transcript --emulate 201:cable firmware-version");
    ASSERT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out.rfind("firmware_version\t100\n", 0), 0u) << version.out;
    ASSERT_FALSE(version.Reports().empty());
    EXPECT_EQ(version.Reports().front(), Report("cmd0 feature-set 16", {0x07, 0xFD}, 8));
    EXPECT_EQ(version.Reports()[1], Report("cmd0 feature-get 16", {0x07, 0x01}, 8));
}

TEST_F(CorvanectlDevice, KeysComeFromTheProfileListOfTheProgram)
{
    // A new database gets the program's three profiles, named in the user's language.
    const Outcome english = Run("keys show");
    ASSERT_EQ(english.status, 0) << english.err;
    EXPECT_EQ(english.out, "active_profile\t1\nprofile\t1\tProfile 1\n");
    EXPECT_FALSE(fs::exists(root / "config")) << "the tool stores no language choice";
    const Outcome turkish = Run("--device-type 100 keys show --profile 3", "tr_TR.UTF-8");
    EXPECT_EQ(turkish.out, "active_profile\t1\nprofile\t3\tProfil 3\n");

    ConfigStore& db = Open(L"Corvane K201");
    corvane::KeyMacroRecord key;
    key.profile = 2;
    key.key_code = 0x29;
    key.macro_type = 2;
    key.macro_value = 0x04;
    key.macro_desc = L"A";
    ASSERT_GT(db.SaveKeyAssignment(key), 0);
    db.Close();

    const Outcome shown = Run("keys show --profile 2");
    EXPECT_EQ(shown.out, "active_profile\t1\nprofile\t2\tProfile 2\nkey\t29\t2\t4\t0\t0\tA\n");
    EXPECT_EQ(Run("keys show").out, "active_profile\t1\nprofile\t1\tProfile 1\n") << "layer 0 of the active profile";

    // Family B: the slot table is read, then Esc gets remap slot 1 with the key it sends.
    const Outcome upload = Run("--transcript --emulate 201:cable keys upload --profile 2");
    ASSERT_EQ(upload.status, 0) << upload.err;
    const std::vector<std::string> reports = upload.Reports();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), Report("cmd0 feature-set 0", {0x07, 0xFB, 0x01}, 8));
    EXPECT_EQ(reports.back(), Report("cmd0 feature-set 32", {0x07, 0xFA, 0x01, 0x01, 0x29, 0x01, 0x04, 0x01}, 8))
        << upload.out;
    EXPECT_TRUE(upload.Has("state remap_slots_b 1"));

    // Family A: the four key-table packets; Esc (index 0) sends key 04.
    Open(L"Corvane K100");
    key.profile = 1;
    ASSERT_GT(store.SaveKeyAssignment(key), 0);
    store.Close();
    const Outcome a = Run("--transcript --device-type 100 --emulate 100:cable keys upload");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.Reports(),
              (std::vector<std::string>{Write("cmd0 write 30", {0x00, 0x8D, 0x3C, 0x00, 0x00, 0x04, 0x20}),
                                        Write("cmd0 write 10", {0x00, 0x8D, 0x3C, 0x3C, 0x00}),
                                        Write("cmd0 write 10", {0x00, 0x8D, 0x3C, 0x78, 0x00}),
                                        Write("cmd0 write 10", {0x00, 0x8D, 0x28, 0xB4, 0x00})}));
}

TEST_F(CorvanectlDevice, ColourTableAndLiveFrame)
{
    ConfigStore& db = Open(L"Corvane K100");
    ASSERT_EQ(db.ReplaceKeyLights({{0, 1, 128, 0x29, 0x00332211}}), 1);
    db.Close();
    const Outcome colours = Run("--transcript --device-type 100 --emulate 100:cable colours upload");
    ASSERT_EQ(colours.status, 0) << colours.err;
    const std::vector<std::string> packets = colours.Reports();
    ASSERT_EQ(packets.size(), 8u) << colours.out;
    EXPECT_EQ(packets[0], Write("cmd0 write 1", {0x00, 0x8B, 0x3C, 0x00, 0x00, 0x11, 0x22, 0x33, 0xFF}));
    EXPECT_EQ(packets[7], Write("cmd0 write 1", {0x00, 0x8B, 0x14, 0xA4, 0x01}));

    const Outcome frame = Run("--transcript --device-type 100 --emulate 100:cable live-frame --colour ff8000");
    ASSERT_EQ(frame.status, 0) << frame.err;
    EXPECT_EQ(frame.out.rfind("frame_sent\t1\n", 0), 0u);
    const std::vector<std::string> live = frame.Reports();
    ASSERT_EQ(live.size(), 7u) << frame.out;
    EXPECT_EQ(live[0], Write("cmd0 write 0", {0x00, 0xF0, 0xF4, 0x01}));
    EXPECT_EQ(live[1].substr(0, 38), "live0 write 1 00 f1 3c 00 00 ff 80 00 ") << "Esc, index 0, red first";
    EXPECT_EQ(live[6].substr(0, 28), "live0 write 1 00 f1 1e 2c 01");
    EXPECT_TRUE(frame.Has("state live_frames 1"));

    // Colour values of 0 or 1 (red 1 is the value 1) are silence: painted, not sent.
    const Outcome dark = Run("--transcript --device-type 100 --emulate 100:cable live-frame --colour 010000");
    ASSERT_EQ(dark.status, 0) << dark.err;
    EXPECT_EQ(dark.out.rfind("frame_sent\t0\n", 0), 0u);
    EXPECT_TRUE(dark.Reports().empty());
}

TEST_F(CorvanectlDevice, FailuresSayWhyAndWriteNothing)
{
    struct Case {
        const char* args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"--emulate 100:cable light select 3", 1, "no keyboard of device type 201 found"},
        {"--emulate 100:cable keys upload", 1, "no keyboard of device type 201 found"},
        {"--emulate 100:cable colours upload", 1, "no keyboard of device type 201 found"},
        {"--emulate 201:cable light select 42", 2, "unknown light mode 42 (the modes are 1 2 3 4 5 6 7 8 9 10 11)"},
        {"--emulate 201:wireless1 light select 9", 2, "unknown light mode 9 (the modes are 1 2 3 4 5 6 7 8 10 11)"},
        {"--emulate 201:cable light select three", 2, "light select needs a mode number, not \"three\""},
        {"--emulate 201:cable light set --brightness 5", 2, "--brightness needs a number from 1 to 4, not \"5\""},
        {"--emulate 201:cable light set --speed 0", 2, "--speed needs a number from 1 to 4, not \"0\""},
        {"--emulate 201:cable light set --direction 0", 2, "--direction needs a number from 1 to 2, not \"0\""},
        {"--emulate 201:cable light set --multicolour 2", 2, "--multicolour needs a number from 0 to 1, not \"2\""},
        {"--emulate 201:cable light set --colour-index 8", 2, "--colour-index needs a number from 0 to 7, not \"8\""},
        {"--emulate 201:cable light set --colour 12345g", 2,
         "--colour needs a colour as six hexadecimal digits RRGGBB, not \"12345g\""},
        {"--emulate 201:cable light set --speed 2 --speed 3", 2, "light set: --speed is given twice"},
        {"--emulate 201:cable light set --glow 1", 2, "light set: unknown option --glow"},
        {"--emulate 201:cable light set", 2,
         "light set needs at least one of --brightness, --speed, --direction, --colour, --multicolour, --colour-index"},
        {"--emulate 201:cable light", 2, "light needs show, select MODE or set [options]"},
        {"--emulate 201:cable reset now", 2, "reset takes no arguments"},
        {"--emulate 201:cable keys show --profile 9", 2, "no profile 9"},
        {"--emulate 201:cable keys upload --profile 0", 2, "keys upload: --profile needs a number from 1 to"},
        {"--emulate 201:cable live-frame", 2, "live-frame needs --colour RRGGBB and nothing more"},
        {"--emulate 201:cable live-frame --colour 00ff00", 2, "keyboards of device type 201 take no live frames"},
        {"--emulate 201:cable --device-type 555 reset", 2, "no keyboard model of device type 555 in "},
    };
    for (const Case& c : cases) {
        fs::remove_all(Data());
        const Outcome run = Run(c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_EQ(run.err.rfind(std::string("corvanectl: ") + c.message, 0), 0u) << c.args << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.args << ": one line\n" << run.err;
        if (!fs::exists(Data() / "db" / "Corvane K201_data_v1.db"))
            continue;
        ConfigStore& db = Open(L"Corvane K201");
        std::vector<corvane::ProfileRecord> profiles;
        EXPECT_EQ(db.CountLightModes(ConfigStore::LightProfile), 0) << c.args;
        if (std::string(c.args).find("keys show") == std::string::npos) {
            EXPECT_EQ(db.GetProfiles(profiles), 0) << c.args;
        }
        db.Close();
    }

    // A file that is not a database stays as it was.
    fs::remove_all(Data());
    fs::create_directories(Data() / "db");
    const fs::path file = Data() / "db" / "Corvane K201_data_v1.db";
    std::ofstream(file) << "not a database";
    const Outcome broken = Run("--emulate 201:cable light select 3");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "corvanectl: cannot open the database " + file.string() + "\n");
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a database");
}

} // namespace
