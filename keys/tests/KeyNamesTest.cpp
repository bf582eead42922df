#include "keys/KeyNameProvider.h"
#include "keys/KeyTable.h"
#include "keys/KeypadCorrection.h"
#include "keys/RawInput.h"
#include "keys/VirtualKeyName.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace corvane;
using ::testing::ElementsAre;

namespace {

// A US layout: scan codes from the key table (none for VK 108, which has no key of its own);
// names show the scan code and the extended bit they were asked with.
class FakeKeyNames : public KeyNameProvider {
public:
    int ScanCode(int virtual_key) const override
    {
        asked.push_back(virtual_key);
        const KeyRow* row = KeyTable::FromVirtualKey(virtual_key);
        return row && virtual_key != 108 ? row->scan_code : 0;
    }
    tarn::CString ScanCodeName(int32_t key_param) const override
    {
        const int scan = (key_param >> 16) & 0xFF;
        if (scan == 0)
            return {};
        if (long_names)
            return tarn::CString(std::wstring(400, L'x'));
        return tarn::CString::Formatted(L"S%02X%s", scan, (key_param & 0x1000000) ? L"E" : L"");
    }
    mutable std::vector<int> asked;
    bool long_names = false;
};

TEST(VirtualKeyName, NamesAndStoredKeys)
{
    struct Case {
        int virtual_key;
        const wchar_t* name;
        int stored;
    };
    const Case cases[] = {
        {16, L"Shift", 160}, {160, L"Shift", 160}, {161, L"RShift", 161},
        {17, L"Ctrl", 162}, {163, L"RCtrl", 163}, {18, L"Alt", 164}, {165, L"RAlt", 165},
        {19, L"Pause", 19}, {44, L"Print Screen", 44}, {91, L"Windows", 91}, {92, L"RWindows", 92},
        {93, L"Application", 93}, {144, L"Num Lock", 144},
        {65, L"S1E", 65},
        // The navigation block is named with the extended bit, so it differs from the keypad.
        {36, L"S47E", 36}, {103, L"S47", 103}, {33, L"S49E", 33}, {46, L"S53E", 46}, {40, L"S50E", 40},
        // 41 .. 44 lie inside the block but get no bit.
        {45, L"S52E", 45}, {42, L"", 42},
        // Keypad Enter after the hook correction: no scan code on a US layout, no name.
        {108, L"", 108}, {13, L"S1C", 13},
    };
    for (const Case& c : cases) {
        FakeKeyNames names;
        const NamedKey key = VirtualKeyName(names, c.virtual_key);
        EXPECT_EQ(key.name, tarn::CString(c.name)) << "VK " << c.virtual_key;
        EXPECT_EQ(key.virtual_key, c.stored) << "VK " << c.virtual_key;
        // The desktop is asked about the sided key.
        EXPECT_THAT(names.asked, ElementsAre(c.stored));
    }
}

TEST(VirtualKeyName, LongNamesAreCut)
{
    FakeKeyNames names;
    names.long_names = true;
    EXPECT_EQ(VirtualKeyName(names, 65).name.GetLength(), 259);
}

TEST(KeypadCorrection, HookKeys)
{
    struct Case {
        int virtual_key;
        int scan;
        uint32_t flags;
        int corrected;
    };
    const Case cases[] = {
        // Num Lock off: the keypad reports navigation keys with plain flags.
        {36, 71, 0x00, 103}, {38, 72, 0x80, 104}, {33, 73, 0x00, 105}, {37, 75, 0x00, 100},
        {12, 76, 0x00, 101}, {39, 77, 0x80, 102}, {35, 79, 0x00, 97}, {40, 80, 0x00, 98},
        {34, 81, 0x00, 99}, {45, 82, 0x00, 96}, {46, 83, 0x80, 110},
        // The real navigation keys come flagged extended and stay.
        {36, 71, 0x01, 36}, {38, 72, 0x81, 38}, {46, 83, 0x01, 46},
        // Other flags (injected 0x10, Alt held 0x20) keep the reported key.
        {36, 71, 0x10, 36}, {36, 71, 0x20, 36}, {36, 71, 0xA0, 36},
        // Scan codes between the keypad digits are not digits.
        {109, 74, 0x00, 109}, {107, 78, 0x00, 107}, {65, 30, 0x00, 65},
        // Keypad Enter is Enter flagged extended.
        {13, 28, 0x01, 108}, {13, 28, 0x81, 108}, {13, 28, 0x00, 13}, {13, 28, 0x21, 13},
        {17, 29, 0x01, 17},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CorrectKeypadKey(c.virtual_key, c.scan, c.flags), c.corrected)
            << "VK " << c.virtual_key << " scan " << c.scan << " flags " << c.flags;
}

class FakeRawInput : public RawInputSource {
public:
    std::optional<RawInputEvent> Read(uintptr_t handle) override
    {
        const auto it = events.find(handle);
        if (it == events.end())
            return std::nullopt;
        return it->second;
    }
    std::map<uintptr_t, RawInputEvent> events;
};

TEST(ReadRawInput, KeyboardEvents)
{
    struct Case {
        RawInputEvent event;
        const wchar_t* name;
        int virtual_key;
        bool released;
    };
    const Case cases[] = {
        {{2, 65, 256}, L"S1E", 65, false},
        {{2, 65, 257}, L"S1E", 65, true},
        {{2, 65, 260}, L"S1E", 65, false},
        {{2, 65, 261}, L"S1E", 65, true},
        // Raw input has no sides: both Shift keys record as "Shift".
        {{2, 16, 256}, L"Shift", 160, false},
        {{2, 17, 257}, L"Ctrl", 162, true},
        {{2, 18, 256}, L"Alt", 164, false},
        {{2, 91, 256}, L"Windows", 91, false},
        // No keypad correction: the key stays as reported.
        {{2, 36, 256}, L"S47E", 36, false},
        {{2, 13, 256}, L"S1C", 13, false},
    };
    for (const Case& c : cases) {
        FakeRawInput source;
        source.events[7] = c.event;
        FakeKeyNames names;
        const RawInputKey key = ReadRawInput(source, names, 7);
        EXPECT_EQ(key.kind, 2);
        EXPECT_EQ(key.name, tarn::CString(c.name)) << "VK " << c.event.virtual_key;
        EXPECT_EQ(key.virtual_key, c.virtual_key);
        EXPECT_EQ(key.released, c.released) << "message " << c.event.message;
        // The desktop names the key as reported.
        EXPECT_THAT(names.asked, ElementsAre(c.event.virtual_key));
    }
}

TEST(ReadRawInput, OtherKindsAndFailedReads)
{
    FakeRawInput source;
    source.events[1] = {1, 0, 0};
    source.events[3] = {3, 0, 0};
    FakeKeyNames names;
    EXPECT_EQ(ReadRawInput(source, names, 1).kind, 1);
    EXPECT_EQ(ReadRawInput(source, names, 3).kind, 3);
    const RawInputKey nothing = ReadRawInput(source, names, 99);
    EXPECT_EQ(nothing.kind, 0);
    EXPECT_TRUE(nothing.name.IsEmpty());
    EXPECT_TRUE(names.asked.empty());
}

} // namespace
