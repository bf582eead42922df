#include "catalogue/LayoutState.h"
#include "device/ColourTransfer.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "device/tests/EmulatedLink.h"
#include "emulator/VirtualClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

// A keyboard view that keeps the colours it is given.
class RecordingView : public LiveFrameView {
public:
    std::map<int, uint32_t> colours;
    int repaints = 0;
    void SetKeyColor(int code, uint32_t colour) override { colours[code] = colour; }
    void Repaint() override { ++repaints; }
    std::vector<KeyColour> GetKeyItems() override
    {
        std::vector<KeyColour> out;
        for (const auto& [code, colour] : colours)
            out.push_back({code, colour});
        return out;
    }
};

class ColourTransferTest : public ::testing::Test {
protected:
    void Connect(std::vector<int> modes) { keyboard = &test::ConnectEmulated(bus, device, 100, modes); }
    // Two keys on a 1 x 3 matrix: A at column 0 (index 0) and B at column 2 (index 109).
    LayoutState Layout()
    {
        LayoutState s;
        s.row_count = 1;
        s.col_count = 3;
        s.matrix[0][0] = 0x04;
        s.matrix[0][2] = 0x05;
        s.lighting_index = {{0x04, 0}, {0x05, 109}};
        return s;
    }

    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    ColourTransfer transfer{device, clock};
    EmulatedKeyboard* keyboard = nullptr;
};

TEST_F(ColourTransferTest, ColourTableAndItsPackets)
{
    const auto table = ColourTable({{0x04, 0x00332211}, {0x05, 0x00665544}, {0x06, 0x777777}, {0x07, 1}},
                                   {{0x04, 109}, {0x05, 110}, {0x07, 150}});
    EXPECT_THAT(std::vector<int>(table.begin() + 436, table.begin() + 444), ElementsAre(0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0xFF));
    EXPECT_EQ(std::count(table.begin(), table.end(), 0), 600 - 8) << "no index or one past the table: left out";

    Connect({0});
    ASSERT_TRUE(transfer.UploadKeyColours({}, {}));
    const auto entries = bus.GetTranscript().Entries();
    ASSERT_EQ(entries.size(), 8u) << "an empty set still sends every packet";
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(entries[k].pause_ms, 1);
        EXPECT_EQ(entries[k].bytes[1], 0x8B);
        EXPECT_EQ(entries[k].bytes[2], k == 7 ? 20 : 60);
        EXPECT_EQ(entries[k].bytes[3] | (entries[k].bytes[4] << 8), static_cast<int>(60 * k));
    }
    ASSERT_TRUE(transfer.UploadKeyColours({{0x04, 0x00332211}, {0x05, 0x00665544}}, {{0x04, 109}, {0x05, 110}}));
    const auto kept = keyboard->GetTables().colours_a;
    EXPECT_THAT(std::vector<int>(kept.end() - 4, kept.end()), ElementsAre(0x11, 0x22, 0x33, 0xFF)) << "index 109 is the last kept";

    bus.GetTranscript().Clear();
    keyboard->SetFaults({.write_failures = 2});
    EXPECT_FALSE(transfer.UploadKeyColours({}, {}));
    EXPECT_TRUE(bus.GetTranscript().Entries().empty()) << "the first packet failed twice: the rest is not sent";
}

TEST_F(ColourTransferTest, LiveFramesEnableOnceAndOnlyOnTheCable)
{
    Connect({0});
    RecordingView view;
    const auto red = [](int, int col) { return col == 0 ? 0x0000FFu : 0x00FF00u; };
    ASSERT_TRUE(transfer.StreamLiveFrame(Layout(), red, view, 0));
    ASSERT_TRUE(transfer.StreamLiveFrame(Layout(), red, view, 0));
    EXPECT_EQ(view.repaints, 2);
    EXPECT_THAT(view.colours, ElementsAre(std::pair{0x04, 0x0000FFu}, std::pair{0x05, 0x00FF00u}));
    const auto entries = bus.GetTranscript().Entries();
    ASSERT_EQ(entries.size(), 1u + 6u + 6u);
    EXPECT_EQ(Transcript::Format(entries[0]).substr(0, 27), "cmd0 write 0 00 f0 f4 01 00");
    for (size_t k = 1; k < entries.size(); ++k) {
        EXPECT_EQ(entries[k].interface, "live0");
        EXPECT_EQ(entries[k].bytes[2], (k - 1) % 6 == 5 ? 30 : 60);
    }
    const auto tables = keyboard->GetTables();
    EXPECT_EQ(tables.live_frames, 2);
    EXPECT_THAT(std::vector<int>(tables.live_frame.begin(), tables.live_frame.begin() + 3), ElementsAre(0xFF, 0, 0));
    EXPECT_THAT(std::vector<int>(tables.live_frame.end() - 3, tables.live_frame.end()), ElementsAre(0, 0xFF, 0));
    EXPECT_EQ(keyboard->Light().protocol_errors, 0);

    bus.GetTranscript().Clear();
    EXPECT_FALSE(transfer.StreamLiveFrame(Layout(), [](int, int) { return 1u; }, view, 0)) << "silence is not sent";
    EXPECT_FALSE(transfer.StreamLiveFrame(Layout(), red, view, 1)) << "nor anything on a wireless link";
    EXPECT_TRUE(bus.GetTranscript().Entries().empty());
    EXPECT_EQ(view.repaints, 4) << "the view is animated all the same";
}

TEST_F(ColourTransferTest, NoLiveInterfaceEndsTheFrame)
{
    Connect({1});
    RecordingView view;
    EXPECT_FALSE(transfer.StreamLiveFrame(Layout(), [](int, int) { return 0xFFu; }, view, 0));
    EXPECT_TRUE(transfer.LiveFramesEnabled());
    ASSERT_EQ(bus.GetTranscript().Entries().size(), 1u) << "the enable report went to the command interface only";
}

TEST(MusicImagePositions, SpreadTheMatrixOverTheImage)
{
    const auto p = MusicImagePositionsFor(6, 21);
    EXPECT_EQ(p.column[0], 0);
    EXPECT_EQ(p.column[20], 240);
    EXPECT_EQ(p.row[0], 7);
    EXPECT_EQ(p.row[5], 57);
    const auto none = MusicImagePositionsFor(0, 0);
    EXPECT_EQ(none.column[5], 0) << "an empty layout divides by nothing";
}

} // namespace

namespace {

TEST(EmulatedKeyboard, ReportsOnTheWrongInterfaceAreProtocolErrors)
{
    VirtualClock clock;
    EmulatedHidBus bus(clock);
    EmulatedKeyboard& keyboard = bus.AddKeyboard(100, {{0, 0x3A71, 1, L"", true}});
    std::unique_ptr<HidDevice> live, command;
    for (const HidDeviceInfo& info : bus.Enumerate(0, 0)) {
        if (info.interface_number == 3)
            live = bus.OpenPath(info.path);
        else if (info.interface_number == 1)
            command = bus.OpenPath(info.path);
    }
    ASSERT_TRUE(live && command);
    const Report mode = SetLightModeReport({});
    const Report frame = LiveFramePackets({})[0];
    Feature version = VersionRequestFeature();
    live->Write(mode);
    command->Write(frame);
    EXPECT_EQ(live->SendFeatureReport(version), -1);
    EXPECT_EQ(live->GetFeatureReport(version), -1);
    EXPECT_EQ(keyboard.Light().protocol_errors, 4);
    EXPECT_EQ(keyboard.Light().mode, -1) << "a command on the live interface is not taken";
}

} // namespace
