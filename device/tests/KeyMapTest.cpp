#include "device/KeyMapCodec.h"
#include "device/KeyMapTransfer.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "device/tests/EmulatedLink.h"
#include "emulator/VirtualClock.h"
#include "store/ConfigStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

template <typename Bytes>
std::vector<int> Slice(const Bytes& bytes, size_t from, size_t n)
{
    return std::vector<int>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                            bytes.begin() + static_cast<std::ptrdiff_t>(from + n));
}

TEST(KeyMapCodec, DelayCodes)
{
    struct Case {
        int ms;
        int press;
    };
    const Case cases[] = {
        {-5, 0x01}, {0, 0x01}, {5, 0x01}, {10, 0x01}, {11, 0x01}, {25, 0x02}, {310, 0x1F},
        {311, 0x26},  // 50 ms units from here
        {1550, 0x3F}, {1551, 0x4F}, {2000, 0x54}, {3100, 0x5F}, {3101, 0x63}, {31000, 0x7F}, {40000, 0x7F},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DelayCode(c.ms, false), c.press) << c.ms;
        EXPECT_EQ(DelayCode(c.ms, true), c.press | 0x80) << c.ms;
    }
}

TEST(KeyMapCodec, FamilyAEventsAndShortcuts)
{
    EXPECT_THAT(MacroEventA({0x04, 0x1234, false}), ElementsAre(0x04, 0x34, 0x92));
    EXPECT_THAT(MacroEventA({0x04, 0x1234, true}), ElementsAre(0x04, 0xB4, 0x12));
    EXPECT_THAT(MacroEventA({0x04, 0x9000, false}), ElementsAre(0x04, 0xFF, 0xFF)) << "clamped to 0x7FFF";
    EXPECT_THAT(MacroEventA({0x04, -1, true}), ElementsAre(0x04, 0x80, 0x00));

    const Report three = ShortcutPacketA(2, 13);
    EXPECT_THAT(Slice(three, 0, 26), ElementsAre(0x00, 0x8E, 0x12, 0x00, 0x00, 0x02, 0x01, 0x06,
                                                  0xE2, 0x64, 0x80, 0x2C, 0x64, 0x80, 0x1B, 0x64, 0x80,
                                                  0x1B, 0x64, 0x00, 0x2C, 0x64, 0x00, 0xE2, 0x64, 0x00));
    const Report unknown = ShortcutPacketA(0, 16);
    EXPECT_THAT(Slice(unknown, 0, 8), ElementsAre(0x00, 0x8E, 0x0C, 0x00, 0x00, 0x00, 0x01, 0x04));
    EXPECT_TRUE(ShortcutUsages(0).empty());
    EXPECT_THAT(Slice(MacroSlotBufferShortcut(0x1E, 3, 1), 0, 12),
                ElementsAre(0x01, 0x03, 0x1E, 0x01, 0xE0, 0x01, 0x04, 0x01, 0x04, 0x81, 0xE0, 0x81));
    EXPECT_THAT(Slice(MacroSlotBufferShortcut(0x1E, 3, 99), 0, 6), ElementsAre(0x01, 0x03, 0x1E, 0x01, 0x00, 0x00));
}

TEST(KeyMapCodec, FamilyAMacroPackets)
{
    struct Case {
        int rows;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {0, {3}},                                   // T = 3: play times, count and one zero byte
        {19, {59, 1}},                              // T = 60
        {58, {59, 59, 59, 0}},                      // T = 177 = 3 x 59: an empty last packet
        {500, {59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 59, 20}}, // 399 count
    };
    for (const Case& c : cases) {
        std::vector<MacroKeyEvent> events(static_cast<size_t>(c.rows), MacroKeyEvent{0x04, 10, false});
        const auto packets = MacroPacketsA(5, 0, c.rows, events);
        std::vector<int> lengths;
        for (size_t k = 0; k < packets.size(); ++k) {
            lengths.push_back(packets[k][2]);
            EXPECT_EQ(packets[k][3] | (packets[k][4] << 8), static_cast<int>(59 * k));
            EXPECT_EQ(packets[k][5], 5);
        }
        EXPECT_EQ(lengths, c.lengths) << c.rows << " rows";
        EXPECT_EQ(packets[0][6], 1) << "play times clamp to at least 1";
        EXPECT_EQ(packets[0][7], std::min(c.rows, 399) & 0xFF);
    }
    const auto many = MacroPacketsA(0, 300, 500, std::vector<MacroKeyEvent>(500, MacroKeyEvent{0x04, 10, false}));
    EXPECT_EQ(many[0][6], 255);
    EXPECT_THAT(Slice(many.back(), 6 + 20, 39), ::testing::Each(0)) << "nothing past the 399th event";
}

TEST(KeyMapCodec, KeyTableA)
{
    const std::map<int32_t, int32_t> index = {{0x04, 0}, {0x05, 1}, {0x06, 2}, {0x07, 3}, {0x08, 110}, {0x09, 180}};
    const std::vector<KeyMapRow> rows = {
        {0x04, 2, 0x1E}, {0x05, 1, 1}, {0x06, 3, 12}, {0x07, 3, 13}, {0x08, 2, 0x29}, {0x09, 2, 0x29}, {0x0A, 2, 0x29},
        {0x07, 5, 1},
    };
    const auto table = KeyTableA(rows, index, {{0x06, 4}});
    EXPECT_THAT(Slice(table, 0, 8), ElementsAre(0x1E, 0x20, 0x00, 0x20, 0x04, 0x40, 0x00, 0x00))
        << "a macro key whose macro was not sent, and another type, stay 0";
    EXPECT_THAT(Slice(table, 220, 2), ElementsAre(0x29, 0x20)) << "index 110 is in the table";
    const auto packets = KeyTablePacketsA(table);
    EXPECT_THAT(Slice(packets[3], 0, 5), ElementsAre(0x00, 0x8D, 40, 180, 0));
    EXPECT_EQ(packets[3][5 + 40], 0x29) << "the fourth packet carries bytes 180.. including index 110's";
}

class KeyMapTransferTest : public ::testing::Test {
protected:
    KeyMapTransferTest()
    {
        folder = std::filesystem::temp_directory_path() / ("corvane-keymap-" + std::to_string(::getpid()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "db");
        EXPECT_TRUE(store.OpenForDevice(folder, L"K"));
    }
    ~KeyMapTransferTest() override
    {
        store.Close();
        std::filesystem::remove_all(folder);
    }
    void Connect(int type, int mode) { keyboard = &test::ConnectEmulated(bus, device, type, {mode}); }
    void Assign(int key, int type, int value)
    {
        KeyMacroRecord r;
        r.profile = 1;
        r.key_code = key;
        r.macro_type = type;
        r.macro_value = value;
        ASSERT_GT(store.SaveKeyAssignment(r), 0);
    }
    // A macro of `presses` key presses of 'A' (virtual key 65) with 20 ms after each.
    int Macro(int play_times, int presses)
    {
        MacroRecord m;
        m.play_times = play_times;
        m.name = L"m";
        const int id = store.AddMacroWithSettings(m);
        std::vector<MacroEventRecord> events;
        for (int i = 0; i < presses; ++i)
            events.push_back({0, id, i % 2 == 0 ? 2 : 3, i, L"A", 65, 20});
        store.AddMacroEvents(events);
        return id;
    }
    // Interface, operation, pause and the first two bytes of every report.
    std::vector<std::string> Ops()
    {
        std::vector<std::string> out;
        for (auto e : bus.GetTranscript().Entries()) {
            e.bytes.resize(std::min<size_t>(e.bytes.size(), 2));
            out.push_back(Transcript::Format(e));
        }
        return out;
    }

    std::filesystem::path folder;
    ConfigStore store;
    VirtualClock clock;
    EmulatedHidBus bus{clock};
    KeyboardDevice device{bus, clock};
    EmulatedKeyboard* keyboard = nullptr;
    // Virtual key 'A' is usage 4.
    KeyMapTransfer transfer{device, clock, store, [](int vk) { return vk == 65 ? 4 : 0; }};
    const std::map<int32_t, int32_t> index{{0x1E, 0}, {0x1F, 1}, {0x20, 2}, {0x21, 3}};
};

TEST_F(KeyMapTransferTest, FamilyAMacrosShortcutsThenTheKeyTable)
{
    Connect(100, 0);
    Assign(0x1E, 3, Macro(2, 2));
    Assign(0x1F, 7, 1);
    Assign(0x20, 2, 0x29);
    transfer.UploadKeyMap(100, 1, 0, index);

    EXPECT_THAT(Ops(), ElementsAre("cmd0 write 110 00 8e", "cmd0 write 10 00 8e", "cmd0 write 30 00 8d",
                                   "cmd0 write 10 00 8d", "cmd0 write 10 00 8d", "cmd0 write 10 00 8d"));
    EXPECT_THAT(transfer.MacroSlotMap(), ElementsAre(std::pair{0x1E, 0}, std::pair{0x1F, 1}));
    const auto tables = keyboard->GetTables();
    EXPECT_THAT(tables.macros_a.at(0), ElementsAre(2, 2, 0x04, 20, 0x80, 0x04, 20 | 0x80, 0x00, 0));
    EXPECT_THAT(Slice(tables.key_table_a, 0, 8), ElementsAre(0x00, 0x40, 0x01, 0x40, 0x29, 0x20, 0, 0));
}

TEST_F(KeyMapTransferTest, FamilyAFailedMacroStillSendsTheKeyTable)
{
    Connect(100, 0);
    Assign(0x1E, 3, Macro(1, 2));
    Assign(0x1F, 7, 1);
    keyboard->SetFaults({.write_failures = 2});
    transfer.UploadKeyMap(100, 1, 0, index);
    EXPECT_TRUE(transfer.MacroSlotMap().empty());
    EXPECT_EQ(bus.GetTranscript().Entries().size(), 4u) << "only the key table got through";
    EXPECT_THAT(Slice(keyboard->GetTables().key_table_a, 0, 4), ElementsAre(0, 0, 0, 0));
}

TEST_F(KeyMapTransferTest, FamilyBFreesOwnedSlotsThenWritesTheLayer)
{
    Connect(201, 0);
    std::array<uint8_t, 28> owned{};
    owned[1] = 0x55;  // macro slot 1
    owned[14] = 0x56; // remap slot 1
    keyboard->SetSlotTable(owned);
    Assign(0x1E, 3, Macro(3, 2));
    Assign(0x1F, 2, 0x29);
    Assign(0x20, 7, 1);
    Assign(0x21, 1, 1);
    transfer.UploadKeyMap(201, 1, 0, index);

    const auto tables = keyboard->GetTables();
    ASSERT_EQ(tables.macro_slots_b.size(), 2u);
    EXPECT_THAT(Slice(tables.macro_slots_b.at(1), 0, 8), ElementsAre(0x01, 0x01, 0x1E, 0x03, 0x04, 0x02, 0x04, 0x82));
    EXPECT_THAT(Slice(tables.macro_slots_b.at(2), 0, 6), ElementsAre(0x01, 0x02, 0x20, 0x01, 0xE0, 0x01));
    EXPECT_THAT(tables.remap_slots_b, ElementsAre(std::pair{1, std::pair{0x1F, 0x29}}, std::pair{2, std::pair{0x21, 1}}));
    std::map<std::string, int> ops;
    for (const std::string& line : Ops())
        ++ops[line.substr(line.find(' ') + 1, line.find(' ', line.find(' ') + 1) - line.find(' ') - 1)];
    // The slot request and its four reads; 28 reports for each of the freed and the two new macro
    // slots; one for the freed and one for each new remap slot.
    EXPECT_THAT(ops, ElementsAre(std::pair{std::string("feature-get"), 4}, std::pair{std::string("feature-set"), 1 + 3 * 28 + 3}));
    const auto slots = transfer.ReadKeySlots();
    EXPECT_EQ(slots[1], 0x1E);
    EXPECT_EQ(slots[2], 0x20);
    EXPECT_EQ(slots[14], 0x1F);
}

TEST_F(KeyMapTransferTest, FamilyBSilentKeyboardAndMoreMacrosThanSlots)
{
    Connect(201, 1);
    keyboard->SetFaults({.reads_unanswered = true});
    for (int k = 0; k < 15; ++k)
        Assign(0x04 + k, 7, 1);
    transfer.UploadKeyMap(201, 1, 0, {});
    const auto tables = keyboard->GetTables();
    // The unanswered table still holds the request: FB and 01 free slots 1 and 2 first.
    EXPECT_EQ(tables.macro_slots_b.size(), 15u);
    EXPECT_EQ(tables.macro_slots_b.at(14)[2], 0x04 + 13);
    EXPECT_EQ(tables.macro_slots_b.at(15)[2], 0x04 + 14);
    EXPECT_EQ(bus.GetTranscript().Entries().size(), 5u + 28u * 2 + 28u * 15) << "feature reports on every link";
}

} // namespace
