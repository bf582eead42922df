#include "device/Family.h"
#include "device/KeyboardDevice.h"
#include "device/LightCommands.h"
#include "device/LightOperations.h"
#include "emulator/EmulatedHidBus.h"
#include "device/tests/EmulatedLink.h"
#include "emulator/VirtualClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

template <size_t N>
std::vector<int> Head(const std::array<uint8_t, N>& bytes, size_t n)
{
    return std::vector<int>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

template <size_t N>
bool RestIsZero(const std::array<uint8_t, N>& bytes, size_t from)
{
    return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), [](uint8_t b) { return b == 0; });
}

// A light row: mode 3, brightness 5, speed 3, direction 1, multicolour, colour index 2,
// colour 0x00332211 (red 11, green 22, blue 33).
LightSettings Row(int config_func = 0)
{
    return {3, 5, 3, 1, 1, 2, 0x00332211, config_func};
}

TEST(LightCommands, FamilyAReports)
{
    const Report mode = SetLightModeReport(Row());
    EXPECT_THAT(Head(mode, 4), ElementsAre(0x00, 0x88, 0x00, 0x03));
    EXPECT_TRUE(RestIsZero(mode, 4));

    const Report effect = SetLightEffectReport(Row());
    EXPECT_THAT(Head(effect, 8), ElementsAre(0x00, 0x89, 0x00,
                                             0x53,             // direction 1 << 4, multicolour 0x40, speed 3
                                             0x11, 0x22, 0x33, // colour, red first
                                             0x05));           // brightness
    EXPECT_TRUE(RestIsZero(effect, 8));
    LightSettings single = Row();
    single.colorful = 0;
    single.direction = 6; // only the low two bits travel
    single.speed = 0x1F;  // and the low four of the speed
    EXPECT_EQ(SetLightEffectReport(single)[3], 0x2F);

    EXPECT_THAT(Head(ResetReportA(), 5), ElementsAre(0x00, 0xFF, 0xFE, 0xAA, 0xFF));
    // The slot selector sends brightness and speed as they are; the slot only for a slot mode.
    EXPECT_THAT(SetLightSettingsA(8, Row(0x100), 2), ElementsAre(0x07, 0xFF, 0xFF, 0x07, 0x05, 0x03, 0x00, 0x02));
    EXPECT_THAT(SetLightSettingsA(8, Row(), 2), ElementsAre(0x07, 0xFF, 0xFF, 0x07, 0x05, 0x03, 0x00, 0x00));
}

TEST(LightCommands, FamilyBSettingsCountOneLower)
{
    EXPECT_THAT(SetLightSettingsBCable(3, Row(0x100), 1),
                ElementsAre(0x07, 0xFF, 0xFF,
                            0x02,   // light mode 3 travels as 2
                            0x04,   // brightness 5 as 4
                            0x22,   // colour index 2 and speed 3: 0x23, one less
                            0x01,   // slot, since the mode has a slot selector
                            0x01)); // direction
    EXPECT_EQ(SetLightSettingsBCable(3, Row(), 1)[6], 0) << "no slot without the selector bit";

    LightSettings zero{};
    EXPECT_THAT(SetLightSettingsBCable(0, zero, 0), ElementsAre(0x07, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00))
        << "brightness and speed 0 stay 0; mode 0 wraps to FF";

    const Payload wireless = SetLightSettingsBWireless(3, Row(), 2);
    EXPECT_THAT(Head(wireless, 11), ElementsAre(0xBB, 0xAA, 0x99, 0x88, 0xAA, 0x02, 0x04, 0x22, 0x00,
                                                0x02,   // the slot travels on wireless whatever the mode
                                                0x01));
    EXPECT_TRUE(RestIsZero(wireless, 11));
    EXPECT_THAT(ResetFeatureBCable(), ElementsAre(0x07, 0xF0, 0xAA, 0, 0, 0, 0, 0));
    EXPECT_THAT(Head(ResetPayloadBWireless(), 10), ElementsAre(0xBB, 0xAA, 0x99, 0x88, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA));
    EXPECT_TRUE(RestIsZero(ResetFinishPayloadBWireless(), 4));
    EXPECT_THAT(MusicLevelFeature(4, 200), ElementsAre(0x07, 0x23, 0x45, 0x67, 0x89, 0x04, 0xC8, 0x00));
}

TEST(LightCommands, FirmwareVersionWordReadsAsDecimalHex)
{
    EXPECT_EQ(FirmwareVersionNumber(0x0105), 105);
    EXPECT_EQ(FirmwareVersionNumber(0x00A0), 0);
    EXPECT_EQ(FirmwareVersionNumber(0x1A3), 1);
    EXPECT_EQ(FirmwareVersionNumber(0), 0);
    EXPECT_EQ(FirmwareVersionNumber(0x9999), 9999);
}

TEST(LightCommands, FamilyBoundaries)
{
    EXPECT_TRUE(IsFamilyA(200));
    EXPECT_FALSE(IsFamilyB(200));
    EXPECT_FALSE(HasSlotSelector(200));
    EXPECT_FALSE(HasLiveFrames(200));
    EXPECT_TRUE(HasFamilyBMusicControls(200));
    EXPECT_TRUE(IsFamilyB(201));
    EXPECT_TRUE(IsFamilyB(299));
    EXPECT_FALSE(IsFamilyA(300) || IsFamilyB(300));
}

// Each report of the transcript with its first ten bytes.
std::vector<std::string> Heads(EmulatedHidBus& bus)
{
    std::vector<std::string> out;
    for (auto e : bus.GetTranscript().Entries()) {
        if (e.bytes.size() > 10)
            e.bytes.resize(10);
        out.push_back(Transcript::Format(e));
    }
    return out;
}

// The operations against the emulated keyboard, for each family and link.
class LightOperationsTest : public ::testing::Test {
protected:
    void Connect(int device_type, std::vector<int> modes)
    {
        keyboard = &test::ConnectEmulated(bus, device, device_type, modes);
    }
    std::vector<std::string> Lines() { return Heads(bus); }

    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    LightOperations ops{device, clock};
    EmulatedKeyboard* keyboard = nullptr;
};

TEST_F(LightOperationsTest, FamilyASwitchesTheModeOnlyAfterAModeChange)
{
    Connect(100, {0});
    ops.ApplyLightMode(100, 0, 3, Row(), 0);
    ops.SetModeSent(false);
    ops.ApplyLightMode(100, 0, 3, Row(), 0);
    ops.ApplyLightMode(100, 0, 3, Row(), 0);
    ops.ApplyLightMode(100, 0, 3, std::nullopt, 0);
    EXPECT_THAT(Lines(), ElementsAre("cmd0 write 0 00 89 00 53 11 22 33 05 00 00", "cmd0 write 0 00 88 00 03 00 00 00 00 00 00",
                                     "cmd0 write 0 00 89 00 53 11 22 33 05 00 00"));
    EXPECT_TRUE(ops.ModeSent());
    EXPECT_EQ(keyboard->Light().mode, 3);
    EXPECT_EQ(keyboard->Light().colour, 0x332211u);
}

TEST_F(LightOperationsTest, FamilyBByLink)
{
    Connect(201, {0, 1});
    ops.ApplyLightMode(201, 0, 3, Row(), 1);
    ops.ApplyLightMode(201, 1, 3, Row(), 1);
    ops.ApplyLightMode(300, 0, 3, Row(), 1);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u) << "device type 300 has no commands";
    EXPECT_EQ(lines[0], "cmd0 feature-set 16 07 ff ff 02 04 22 00 01");
    EXPECT_EQ(lines[1], "cmd0 write 0 00 bb aa 99 88 aa 02 04 22 00") << "written to the chosen interface";
    EXPECT_EQ(keyboard->Light().slot, 1);
}

TEST_F(LightOperationsTest, ResetsWithTheirPauses)
{
    struct Case {
        int type;
        int link;
        std::vector<std::string> lines;
        long long elapsed;
    };
    const std::vector<Case> cases = {
        {100, 0, {"cmd0 write 0 00 ff fe aa ff 00 00 00 00 00"}, 100},
        {201, 0, {"cmd0 feature-set 16 07 f0 aa 00 00 00 00 00"}, 116},
        {201, 1, {"cmd1 write 0 00 bb aa 99 88 aa aa aa aa aa", "cmd1 write 1600 00 bb aa 99 88 00 00 00 00 00"}, 1600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type * 10 + c.link);
        VirtualClock caseClock;
        EmulatedHidBus caseBus(caseClock);
        KeyboardDevice d(caseBus, caseClock);
        EmulatedKeyboard& k = test::ConnectEmulated(caseBus, d, c.type, {c.link});
        LightOperations o(d, caseClock);
        o.ResetKeyboard(c.type, c.link);
        EXPECT_EQ(Heads(caseBus), c.lines);
        EXPECT_EQ(caseClock.Now().count(), c.elapsed);
        EXPECT_EQ(k.Light().resets, 1);
    }
}

TEST_F(LightOperationsTest, SlotSelectorMusicLevelAndFirmwareVersion)
{
    Connect(100, {0});
    EXPECT_TRUE(ops.SendSlotSelector(100, 8, Row(0x100), 2));
    EXPECT_FALSE(ops.SendSlotSelector(200, 8, Row(0x100), 2));
    EXPECT_TRUE(ops.SendMusicLevel(1, 77));
    EXPECT_EQ(keyboard->Light().music_level, 77);
    EXPECT_THAT(Lines(), ElementsAre("cmd0 feature-set 16 07 ff ff 07 05 03 00 02", "cmd0 feature-set 0 07 23 45 67 89 01 4d 00"));

    keyboard->SetFirmwareVersion(0x0105);
    EXPECT_EQ(ops.CheckFirmwareVersion(L"1.0.6"), 105);
    EXPECT_EQ(ops.CheckFirmwareVersion(L""), std::nullopt);
    EXPECT_EQ(ops.CheckFirmwareVersion(L"12345678901"), std::nullopt) << "11 characters disable the check";
    keyboard->SetFaults({.reads_unanswered = true});
    EXPECT_EQ(ops.CheckFirmwareVersion(L"1"), std::nullopt);
}

} // namespace
