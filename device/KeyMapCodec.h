#pragma once

#include "device/LightCommands.h"
#include "device/Shortcuts.h"

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace corvane {

// One event of a macro as the keyboard stores it: a key code (HID usage) pressed or released,
// followed by a pause.
struct MacroKeyEvent {
    int usage = 0;
    int delay_ms = 0;
    bool release = false;
};

// One key's function as the keyboard's own key table carries it.
struct KeyMapRow {
    int key_code = 0;
    int macro_type = 0;
    int macro_value = 0;
};

constexpr int MacroTypeDisabled = 1;
constexpr int MacroTypeKey = 2;
constexpr int MacroTypeMacro = 3;
constexpr int MacroTypeShortcut = 7;

// Family A buffers hold play times, the event count and this many 3-byte events.
constexpr int MaxMacroEventsA = 399;
constexpr size_t KeyTableEntries = 180;
constexpr size_t MacroSlotTransfer = 168; // 28 feature reports of 6 bytes

// Family A event bytes; the delay is clamped to 0..0x7FFF.
std::array<uint8_t, 3> MacroEventA(const MacroKeyEvent& event);
// Family B delay code: release bit, unit code and count; the delay is clamped to 0..31000.
uint8_t DelayCode(int delay_ms, bool release);

// The family A macro transfer of one slot: play times clamped to 1..255, the event-row count
// (at most 399 count) and the events, cut into 59-byte packets.
std::vector<Report> MacroPacketsA(int slot, int play_times, int event_rows, std::span<const MacroKeyEvent> events);
Report ShortcutPacketA(int slot, int shortcut);

// The 360-byte family A key table. Keys without an index, or with one past the table, are left out.
std::array<uint8_t, 2 * KeyTableEntries> KeyTableA(std::span<const KeyMapRow> rows, const std::map<int32_t, int32_t>& key_index,
                                                   const std::map<int, int>& macro_slots);
std::array<Report, 4> KeyTablePacketsA(const std::array<uint8_t, 2 * KeyTableEntries>& table);

// Family B macro slot j: the 512-byte buffer M and its 28 feature reports.
using MacroSlotBuffer = std::array<uint8_t, 512>;
MacroSlotBuffer MacroSlotBufferFree(int slot);
MacroSlotBuffer MacroSlotBufferShortcut(int key, int slot, int shortcut);
// `play_times` is nothing when the macro has no row: the key and play times then stay 0.
MacroSlotBuffer MacroSlotBufferMacro(int key, int slot, const int* play_times, std::span<const MacroKeyEvent> events);
std::array<Feature, 28> MacroSlotFeatures(const MacroSlotBuffer& buffer);

Feature RemapSlotFeature(int slot, int key, int value);
Feature FreeRemapSlotFeature(int slot);
Feature KeySlotsRequest();

} // namespace corvane
