#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/VirtualClock.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

constexpr uint16_t Vid = 0x3A71;

// A bus with the product's three links available, a device that knows them, and the rescan steps.
class KeyboardDeviceTest : public ::testing::Test {
protected:
    KeyboardDeviceTest()
    {
        device.AddModel(Vid, 0x0201, L"K201", 201, 0, L"PID_0201");
        device.AddModel(Vid, 0x0202, L"", 201, 1, L"PID_0202");
        device.AddModel(Vid, 0x0203, L"K201 BT", 201, 2, L"PID_0203");
    }

    EmulatedKeyboard& Plug(std::vector<int> modes)
    {
        std::vector<EmulatedKeyboard::Link> links;
        for (int m : modes)
            links.push_back({m, Vid, static_cast<uint16_t>(0x0201 + m), m == 2 ? L"K201 BT" : L"K201", true});
        return bus.AddKeyboard(201, links);
    }

    void Rescan(int type = 201)
    {
        auto hold = device.Hold();
        device.CloseAll();
        device.OpenAll();
        device.SetOpened(true);
        device.SelectDeviceType(type);
    }

    std::vector<std::string> Lines()
    {
        std::vector<std::string> out;
        for (const auto& e : bus.GetTranscript().Entries())
            out.push_back(Transcript::Format(e));
        return out;
    }

    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    std::array<uint8_t, 65> report{1, 2, 3};
    std::array<uint8_t, 8> feature{7, 0xFF};
    std::array<uint8_t, 64> payload{0xBB, 0xAA, 0x99, 0x88};
};

TEST_F(KeyboardDeviceTest, NothingMatchingMeansNoTargetAndNothingSent)
{
    bus.AddKeyboard(201, {{0, 0x1234, 0x0201, L"other", true}});
    Rescan();
    std::vector<KeyboardDevice::Interface> list;
    EXPECT_FALSE(device.ListInterfaces(list));
    EXPECT_EQ(device.ChooseInterface(), nullptr);
    EXPECT_EQ(device.GetConnectionMode(), -1);
    int version = -5;
    std::array<uint8_t, 28> block{};
    EXPECT_FALSE(device.SendFeature(feature));
    EXPECT_FALSE(device.SendFeatureNow(feature));
    EXPECT_FALSE(device.WriteReport(report));
    EXPECT_FALSE(device.WriteLiveReport(report));
    EXPECT_FALSE(device.WritePayload(payload));
    EXPECT_FALSE(device.ReadFeatureBlock(block));
    EXPECT_FALSE(device.ReadVersionWord(version));
    EXPECT_EQ(version, -5);
    EXPECT_TRUE(bus.GetTranscript().Entries().empty());
    EXPECT_EQ(clock.Now().count(), 0) << "no pause without a target";
}

TEST_F(KeyboardDeviceTest, ChoosesCableFirstWhileConnectionModeRanksWirelessTwoFirst)
{
    struct Case {
        std::vector<int> plugged;
        int chosen;
        int connection;
    };
    const Case cases[] = {{{0, 1, 2}, 0, 0}, {{2, 0}, 0, 0}, {{1, 2}, 1, 2}, {{2}, 2, 2}, {{1}, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.plugged));
        EmulatedHidBus caseBus(clock);
        KeyboardDevice d(caseBus, clock);
        for (const auto& m : device.Models())
            d.AddModel(m.vid, m.pid, m.product_name, m.device_type, m.mode, m.hid_interface);
        std::vector<EmulatedKeyboard::Link> links;
        for (int m : c.plugged)
            links.push_back({m, Vid, static_cast<uint16_t>(0x0201 + m), m == 2 ? L"K201 BT" : L"K201", true});
        caseBus.AddKeyboard(201, links);
        d.OpenAll();
        d.SetOpened(true);
        d.SelectDeviceType(201);
        ASSERT_NE(d.ChooseInterface(), nullptr);
        EXPECT_EQ(d.ChooseInterface()->mode, c.chosen);
        EXPECT_EQ(d.GetConnectionMode(), c.connection);
        d.WriteReport(report);
        EXPECT_EQ(caseBus.GetTranscript().Entries().back().interface, "cmd" + std::to_string(c.chosen));
        d.SelectDeviceType(100);
        EXPECT_EQ(d.ChooseInterface(), nullptr) << "another device type has no interface";
    }
}

TEST_F(KeyboardDeviceTest, LiveFramesHaveTheirOwnInterfaceAndOtherCollectionsAreClosed)
{
    Plug({0, 2});
    Rescan();
    std::vector<KeyboardDevice::Interface> list;
    ASSERT_TRUE(device.ListInterfaces(list));
    ASSERT_EQ(list.size(), 2u) << "the command interfaces of the cable and of Bluetooth";
    EXPECT_EQ(list[0].interface_number, 1);
    EXPECT_EQ(list[1].mode, 2);
    for (const auto& i : list)
        EXPECT_EQ(i.usage_page, 0xFF01);
    EXPECT_TRUE(device.HasLiveInterface());

    EXPECT_TRUE(device.WriteLiveReport(report));
    EXPECT_TRUE(device.WriteReport(report));
    const auto entries = bus.GetTranscript().Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].interface, "live0");
    EXPECT_EQ(entries[1].interface, "cmd0");
    EXPECT_EQ(entries[0].bytes.size(), 65u);
}

TEST_F(KeyboardDeviceTest, ProductStringsAreComparedExactly)
{
    bus.AddKeyboard(201, {{0, Vid, 0x0201, L"K201 (clone)", true}, {1, Vid, 0x0202, L"anything", true}});
    Rescan();
    ASSERT_NE(device.ChooseInterface(), nullptr);
    EXPECT_EQ(device.ChooseInterface()->mode, 1) << "the cable's product string differs; wireless 1 has none to check";
    EXPECT_EQ(device.FindInterface(Vid, 0x0202, L"", 1), 0);
    EXPECT_EQ(device.FindInterface(Vid, 0x0202, L"K201", 1), -1);
    EXPECT_EQ(device.FindInterface(Vid, 0x0201, L"", 0), -1);
}

TEST_F(KeyboardDeviceTest, PausesAndRetriesOfThePrimitives)
{
    EmulatedKeyboard& keyboard = Plug({0});
    Rescan();
    EXPECT_FALSE(device.SendFeature(feature)) << "SendFeature never reports success";
    EXPECT_TRUE(device.SendFeatureNow(feature));
    keyboard.SetFaults({.write_failures = 1});
    EXPECT_TRUE(device.WriteReport(report));
    keyboard.SetFaults({.write_failures = 2});
    EXPECT_FALSE(device.WriteReport(report));
    keyboard.SetFaults({.write_failures = 1});
    EXPECT_TRUE(device.WritePayload(payload));
    keyboard.SetFaults({.write_failures = 2});
    EXPECT_TRUE(device.WriteLiveReport(report)) << "true whenever the live interface exists";

    const auto entries = bus.GetTranscript().Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(Transcript::Format(entries[0]), "cmd0 feature-set 16 07 ff 00 00 00 00 00 00");
    EXPECT_EQ(entries[1].pause_ms, 0);
    EXPECT_EQ(entries[2].pause_ms, 10) << "a failed write is repeated after 10 ms";
    EXPECT_EQ(entries[3].pause_ms, 10 + 32) << "the failed report before it paused 10, the payload retry 32";
    ASSERT_EQ(entries[3].bytes.size(), 65u);
    EXPECT_EQ(entries[3].bytes[0], 0x00) << "payloads go out behind report id 0";
    EXPECT_EQ(entries[3].bytes[1], 0xBB);
}

TEST_F(KeyboardDeviceTest, VersionWordAndItsSecondRead)
{
    EmulatedKeyboard& keyboard = Plug({0});
    keyboard.SetFirmwareVersion(0x0102);
    Rescan();
    int version = 0;
    ASSERT_TRUE(device.ReadVersionWord(version));
    EXPECT_EQ(version, 0x0102);
    EXPECT_THAT(Lines(), ElementsAre("cmd0 feature-set 16 07 fd 00 00 00 00 00 00",
                                     "cmd0 feature-get 16 07 01 02 00 00 00 00 00"));

    bus.GetTranscript().Clear();
    keyboard.SetFaults({.first_version_byte_wrong = true});
    ASSERT_TRUE(device.ReadVersionWord(version));
    EXPECT_EQ(version, 0x0102);
    EXPECT_THAT(Lines(), ElementsAre("cmd0 feature-set 16 07 fd 00 00 00 00 00 00",
                                     "cmd0 feature-get 16 06 01 02 00 00 00 00 00",
                                     "cmd0 feature-get 16 07 01 02 00 00 00 00 00"));

    keyboard.SetFaults({.reads_unanswered = true});
    version = -1;
    EXPECT_FALSE(device.ReadVersionWord(version)) << "no answer is no version";
    EXPECT_EQ(version, -1);
}

TEST_F(KeyboardDeviceTest, FeatureBlockKeepsWhatWasNotAnswered)
{
    EmulatedKeyboard& keyboard = Plug({0});
    std::array<uint8_t, 28> slots{};
    for (size_t i = 0; i < slots.size(); ++i)
        slots[i] = static_cast<uint8_t>(0x40 + i);
    keyboard.SetSlotTable(slots);
    Rescan();
    std::array<uint8_t, 28> block{7, 0xFB, 1};
    ASSERT_TRUE(device.ReadFeatureBlock(block));
    EXPECT_EQ(block, slots);
    EXPECT_EQ(bus.GetTranscript().Entries().size(), 5u);

    keyboard.SetFaults({.reads_unanswered = true});
    std::array<uint8_t, 28> untouched{7, 0xFB, 1, 0, 0, 0, 0, 0, 0xEE};
    const auto before = untouched;
    EXPECT_TRUE(device.ReadFeatureBlock(untouched));
    EXPECT_EQ(untouched, before);
}

TEST_F(KeyboardDeviceTest, CloseAllBeforeAnyRescanAndAVanishedKeyboard)
{
    device.CloseAll();
    EXPECT_FALSE(device.IsOpened());
    EmulatedKeyboard& keyboard = Plug({0});
    Rescan();
    ASSERT_TRUE(device.WriteReport(report));
    keyboard.SetPlugged(0, false);
    EXPECT_FALSE(device.WriteReport(report));
    int version = 0;
    EXPECT_FALSE(device.ReadVersionWord(version));
    Rescan();
    EXPECT_EQ(device.ChooseInterface(), nullptr);
    EXPECT_FALSE(device.HasLiveInterface());
}

TEST_F(KeyboardDeviceTest, FailedOpensAreSkipped)
{
    EmulatedKeyboard& keyboard = Plug({0});
    keyboard.SetFaults({.open_fails = true});
    Rescan();
    std::vector<KeyboardDevice::Interface> list;
    EXPECT_FALSE(device.ListInterfaces(list));
    EXPECT_FALSE(device.HasLiveInterface());
}

// Primitives from other threads never meet a half-rebuilt interface list.
TEST_F(KeyboardDeviceTest, PrimitivesAndRescansSerialise)
{
    Plug({0, 1});
    Rescan();
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        while (!stop)
            device.SendFeatureNow(feature);
    });
    for (int i = 0; i < 200; ++i)
        Rescan();
    stop = true;
    writer.join();
    ASSERT_NE(device.ChooseInterface(), nullptr);
    EXPECT_EQ(device.ChooseInterface()->mode, 0);
}

} // namespace
