#include "keys/FunctionTables.h"
#include "keys/KeyTable.h"
#include "keys/KeypadCorrection.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace corvane;

namespace {

TEST(KeyTable, RowsAreConsistent)
{
    const auto rows = KeyTableRows();
    // 118 keyboard keys, VKs 136 .. 139 and the 18 media functions.
    EXPECT_EQ(rows.size(), 140u);

    std::set<int> virtual_keys;
    std::set<int> key_codes;
    std::map<int, std::set<int>> keys_of_input_code;
    for (const KeyRow& row : rows) {
        SCOPED_TRACE("VK " + std::to_string(row.virtual_key));
        EXPECT_TRUE(virtual_keys.insert(row.virtual_key).second) << "duplicate virtual key";
        EXPECT_TRUE(key_codes.insert(row.key_code).second) << "duplicate key code";
        EXPECT_EQ(row.x_keycode, row.input_code + 8);
        EXPECT_NE(row.input_code, 0);
        keys_of_input_code[row.input_code].insert(row.virtual_key);
        if (row.hid_page == 0x07) {
            EXPECT_EQ(row.key_code, row.hid_usage);
            EXPECT_EQ(HidKeyboardInputCodes()[row.hid_usage], row.input_code);
        } else {
            EXPECT_EQ(row.hid_page, 0x0C);
            EXPECT_EQ(row.scan_code, 0);
        }
    }
    // Backslash is the only input code two virtual keys share; the reverse gives 220.
    for (const auto& [input_code, keys] : keys_of_input_code) {
        if (input_code == 43)
            EXPECT_EQ(keys, (std::set<int>{220, 666}));
        else
            EXPECT_EQ(keys.size(), 1u) << "input code " << input_code;
    }
    ASSERT_NE(KeyTable::FromInputCode(43), nullptr);
    EXPECT_EQ(KeyTable::FromInputCode(43)->virtual_key, 220);
}

TEST(KeyTable, KeysThatAreEasyToGetWrong)
{
    struct Case {
        int virtual_key;
        int input_code;
        const char* input_name;
        int scan;
        bool extended;
    };
    const Case cases[] = {
        {65, 30, "KEY_A", 0x1E, false},
        {36, 102, "KEY_HOME", 0x47, true},
        {103, 71, "KEY_KP7", 0x47, false},
        {108, 96, "KEY_KPENTER", 0x1C, true},
        {220, 43, "KEY_BACKSLASH", 0x2B, false},
        {44, 99, "KEY_SYSRQ", 0x37, true},        // Print Screen
        {93, 127, "KEY_COMPOSE", 0x5D, true},     // Application, not KEY_MENU
        {226, 86, "KEY_102ND", 0x56, false},
        {122, 87, "KEY_F11", 0x57, false},
        {123, 88, "KEY_F12", 0x58, false},
        {124, 183, "KEY_F13", 0x64, false},
        {135, 194, "KEY_F24", 0x76, false},
        {144, 69, "KEY_NUMLOCK", 0x45, true},     // extended, unlike Pause
        {19, 119, "KEY_PAUSE", 0x45, false},
        {175, 115, "KEY_VOLUMEUP", 0, false},
        {181, 171, "KEY_CONFIG", 0, false},
        {182, 144, "KEY_FILE", 0, false},         // not KEY_COMPUTER
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("VK " + std::to_string(c.virtual_key));
        const KeyRow* row = KeyTable::FromVirtualKey(c.virtual_key);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->input_code, c.input_code);
        EXPECT_STREQ(row->input_name, c.input_name);
        EXPECT_EQ(row->scan_code, c.scan);
        EXPECT_EQ(row->extended, c.extended);
        EXPECT_EQ(KeyTable::FromInputCode(c.input_code)->virtual_key, c.virtual_key);
    }
    EXPECT_EQ(KeyTable::XKeycodeOfInputCode(30), 38);
    EXPECT_EQ(KeyTable::FromVirtualKey(16), nullptr); // generic modifiers are rules, not rows
    EXPECT_EQ(KeyTable::FromVirtualKey(254), nullptr);
}

TEST(KeyTable, KeypadEnterComesBackThroughTheHookCorrection)
{
    // The hook reports keypad Enter as Enter flagged extended; its row is VK 108's.
    const KeyRow* enter = KeyTable::FromInputCode(96);
    ASSERT_NE(enter, nullptr);
    EXPECT_EQ(CorrectKeypadKey(13, enter->scan_code, enter->extended ? 0x01 : 0x00), enter->virtual_key);
    EXPECT_EQ(KeyTable::FromInputCode(28)->virtual_key, 13);
}

TEST(KeyTable, KeyboardPageVolumeKeysReverseToTheMediaKeys)
{
    // Usages 0x7F .. 0x81 of the keyboard page give the consumer keys' input codes.
    const std::pair<int, int> usage_and_key[] = {{0x7F, 173}, {0x80, 175}, {0x81, 174}};
    for (const auto& [usage, virtual_key] : usage_and_key) {
        const int input_code = HidKeyboardInputCodes()[static_cast<size_t>(usage)];
        ASSERT_NE(KeyTable::FromInputCode(input_code), nullptr);
        EXPECT_EQ(KeyTable::FromInputCode(input_code)->virtual_key, virtual_key) << usage;
    }
}

TEST(KeyTable, NavigationBlockIsExtendedWhereNamesAddTheBit)
{
    for (int vk = 33; vk <= 46; ++vk) {
        if (vk >= 41 && vk <= 44)
            continue;
        const KeyRow* row = KeyTable::FromVirtualKey(vk);
        ASSERT_NE(row, nullptr) << vk;
        EXPECT_TRUE(row->extended) << vk;
    }
}

TEST(KeyTable, MediaFunctionsMatchTheConsumerRows)
{
    ASSERT_EQ(FunctionTables::Media().size(), 18u);
    int expected_value = 232;
    for (const MediaFunction& media : FunctionTables::Media()) {
        SCOPED_TRACE("value " + std::to_string(media.value));
        EXPECT_EQ(media.value, expected_value++);
        const KeyRow* row = KeyTable::FromVirtualKey(media.virtual_key);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->hid_page, 0x0C);
        EXPECT_EQ(row->hid_usage, media.consumer_usage);
        EXPECT_EQ(row->key_code, media.value);
        EXPECT_EQ(KeyTable::FromKeyCode(media.value), row);
    }
}

} // namespace
