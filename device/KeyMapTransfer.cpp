#include "device/KeyMapTransfer.h"

#include "device/Family.h"
#include "device/KeyboardDevice.h"
#include "platform/Clock.h"
#include "store/ConfigStore.h"

#include <climits>

namespace corvane {

using namespace std::chrono_literals;

namespace {

constexpr int EventPress = 2;
constexpr int EventRelease = 3;

std::vector<KeyMapRow> Rows(const std::vector<KeyMacroRecord>& records)
{
    std::vector<KeyMapRow> rows;
    for (const KeyMacroRecord& r : records)
        rows.push_back({r.key_code, r.macro_type, r.macro_value});
    return rows;
}

} // namespace

KeyMapTransfer::KeyMapTransfer(KeyboardDevice& device, Clock& clock, ConfigStore& store, KeyCodeFromVirtualKey key_code)
    : m_device(device), m_clock(clock), m_store(store), m_keyCode(std::move(key_code))
{
}

void KeyMapTransfer::UploadKeyMap(int device_type, int profile, int fn_layer, const std::map<int32_t, int32_t>& key_index)
{
    if (IsFamilyA(device_type))
        UploadA(profile, fn_layer, key_index);
    else if (IsFamilyB(device_type))
        UploadB(profile, fn_layer);
}

std::vector<MacroKeyEvent> KeyMapTransfer::MacroEvents(int macro_id, int limit, int& rows)
{
    std::vector<MacroEventRecord> records;
    m_store.GetMacroEvents(macro_id, records);
    rows = static_cast<int>(records.size());
    std::vector<MacroKeyEvent> events;
    for (const MacroEventRecord& e : records) {
        if (limit-- <= 0)
            break;
        if (e.type == EventPress || e.type == EventRelease)
            events.push_back({m_keyCode(e.value), e.delay_time, e.type == EventRelease});
    }
    return events;
}

void KeyMapTransfer::UploadA(int profile, int fn_layer, const std::map<int32_t, int32_t>& key_index)
{
    m_slots.clear();
    int slot = 0;
    std::vector<KeyMacroRecord> records;
    m_store.GetLayerAssignments(profile, fn_layer, records);

    bool failed = false;
    for (const KeyMacroRecord& row : records) {
        if (row.macro_type != MacroTypeMacro)
            continue;
        int play_times = 1;
        if (!m_store.GetMacroPlayTimes(row.macro_value, play_times))
            play_times = 1;
        int rows = 0;
        const auto events = MacroEvents(row.macro_value, MaxMacroEventsA, rows);
        m_clock.Sleep(10ms);
        for (const Report& packet : MacroPacketsA(slot, play_times, rows, events)) {
            m_clock.Sleep(100ms);
            if (!m_device.WriteReport(packet)) {
                failed = true;
                break;
            }
        }
        if (failed)
            break;
        m_slots[row.key_code] = slot++;
    }
    if (!failed) {
        for (const KeyMacroRecord& row : records) {
            if (row.macro_type != MacroTypeShortcut)
                continue;
            m_clock.Sleep(10ms);
            m_device.WriteReport(ShortcutPacketA(slot, row.macro_value));
            m_slots[row.key_code] = slot++;
        }
    }
    m_clock.Sleep(20ms);
    const auto rows = Rows(records);
    for (const Report& packet : KeyTablePacketsA(KeyTableA(rows, key_index, m_slots))) {
        m_clock.Sleep(10ms);
        m_device.WriteReport(packet);
    }
}

std::array<uint8_t, 28> KeyMapTransfer::ReadKeySlots()
{
    std::array<uint8_t, 28> slots{};
    const Feature request = KeySlotsRequest();
    std::copy(request.begin(), request.end(), slots.begin());
    m_device.ReadFeatureBlock(slots);
    return slots;
}

void KeyMapTransfer::WriteMacroSlot(int key, int slot, int type, int value)
{
    MacroSlotBuffer buffer = MacroSlotBufferFree(slot);
    if (type == MacroTypeShortcut) {
        buffer = MacroSlotBufferShortcut(key, slot, value);
    } else if (type == MacroTypeMacro) {
        MacroRecord macro;
        const bool found = m_store.GetMacro(value, macro);
        int rows = 0;
        const auto events = MacroEvents(value, INT_MAX, rows);
        buffer = MacroSlotBufferMacro(key, slot, found ? &macro.play_times : nullptr, events);
    }
    for (const Feature& report : MacroSlotFeatures(buffer))
        m_device.SendFeature(report);
}

void KeyMapTransfer::WriteRemapSlot(int profile, int fn_layer, int key, int slot)
{
    KeyMacroRecord row;
    if (!m_store.GetKeyAssignment(profile, fn_layer, key, row) || row.macro_value < 1) {
        m_device.SendFeature(FreeRemapSlotFeature(slot));
        return;
    }
    if (row.macro_type == 0 || row.macro_type == MacroTypeMacro || row.macro_type == MacroTypeShortcut)
        return;
    m_device.SendFeature(RemapSlotFeature(slot, key, row.macro_value));
}

void KeyMapTransfer::UploadB(int profile, int fn_layer)
{
    const std::array<uint8_t, 28> slots = ReadKeySlots();
    for (int i = 1; i <= 13; ++i) {
        if (slots[static_cast<size_t>(i)] != 0) {
            m_clock.Sleep(16ms);
            WriteMacroSlot(slots[static_cast<size_t>(i)], i, 0, 0);
        }
    }
    for (int j = 1; j <= 10; ++j) {
        if (slots[static_cast<size_t>(13 + j)] != 0) {
            m_clock.Sleep(16ms);
            WriteRemapSlot(profile, fn_layer, 0, j);
        }
    }
    std::vector<KeyMacroRecord> records;
    m_store.GetLayerAssignments(profile, fn_layer, records);
    int macroSlot = 1;
    int remapSlot = 1;
    for (const KeyMacroRecord& row : records) {
        if (row.macro_type == 0)
            continue;
        m_clock.Sleep(16ms);
        if (row.macro_type == MacroTypeMacro || row.macro_type == MacroTypeShortcut)
            WriteMacroSlot(row.key_code, macroSlot++, row.macro_type, row.macro_value);
        else
            WriteRemapSlot(profile, fn_layer, row.key_code, remapSlot++);
    }
}

} // namespace corvane
