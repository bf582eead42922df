#include "device/KeyMapCodec.h"

#include <algorithm>

namespace corvane {

namespace {

uint8_t Byte(int v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

constexpr uint8_t Shortcuts[15][3] = {
    {0xE0, 0x04}, {0xE0, 0x06}, {0xE0, 0x1B}, {0xE0, 0x19}, {0xE0, 0x1D}, {0xE0, 0x16}, {0xE3, 0x08}, {0xE3, 0x0F},
    {0xE3, 0x07}, {0xE2, 0x2B}, {0xE3, 0x10}, {0xE0, 0x1A}, {0xE2, 0x2C, 0x1B}, {0xE2, 0x2C, 0x11}, {0xE2, 0x3D},
};

// Presses in order, releases in reverse order.
template <typename Emit>
void ForEachShortcutEvent(int number, Emit emit)
{
    const auto usages = ShortcutUsages(number);
    for (uint8_t u : usages)
        emit(u, false);
    for (auto it = usages.rbegin(); it != usages.rend(); ++it)
        emit(*it, true);
}

Report PacketA(uint8_t command, int length, int offset)
{
    return Report{0x00, command, Byte(length), Byte(offset), Byte(offset >> 8)};
}

} // namespace

std::span<const uint8_t> ShortcutUsages(int number)
{
    if (number < 1 || number > 15)
        return {};
    const uint8_t* keys = Shortcuts[number - 1];
    return {keys, static_cast<size_t>(keys[2] != 0 ? 3 : 2)};
}

std::array<uint8_t, 3> MacroEventA(const MacroKeyEvent& event)
{
    const int t = std::clamp(event.delay_ms, 0, 0x7FFF);
    if (event.release)
        return {Byte(event.usage), static_cast<uint8_t>(Byte(t) | 0x80), static_cast<uint8_t>(Byte(t >> 8) & 0x7F)};
    return {Byte(event.usage), Byte(t), static_cast<uint8_t>(Byte(t >> 8) | 0x80)};
}

uint8_t DelayCode(int delay_ms, bool release)
{
    const int m = std::clamp(delay_ms, 0, 31000);
    int unit = 0;
    int n = 1;
    if (m <= 10) { unit = 0; n = 1; }
    else if (m <= 310) { unit = 0; n = m / 10; }
    else if (m <= 1550) { unit = 1; n = m / 50; }
    else if (m <= 3100) { unit = 2; n = m / 100; }
    else { unit = 3; n = m / 1000; }
    return static_cast<uint8_t>((release ? 0x80 : 0) | (unit << 5) | (n & 0x1F));
}

std::vector<Report> MacroPacketsA(int slot, int play_times, int event_rows, std::span<const MacroKeyEvent> events)
{
    const int counted = std::clamp(event_rows, 0, MaxMacroEventsA);
    const int total = 3 * (counted + 1);
    const int packets = total / 59 + 1;
    // Sized to whole packets, so the last one's tail reads zeros.
    std::vector<uint8_t> buffer(static_cast<size_t>(59 * packets), 0);
    buffer[0] = static_cast<uint8_t>(std::clamp(play_times, 1, 255));
    buffer[1] = Byte(counted);
    size_t at = 2;
    for (const MacroKeyEvent& e : events.first(std::min(events.size(), static_cast<size_t>(counted)))) {
        const auto bytes = MacroEventA(e);
        std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(at));
        at += 3;
    }
    std::vector<Report> out;
    for (int k = 0; k < packets; ++k) {
        const int length = k == packets - 1 ? total - 59 * (packets - 1) : 59;
        Report r = PacketA(0x8E, length, 59 * k);
        r[5] = Byte(slot);
        std::copy_n(buffer.begin() + 59 * k, 59, r.begin() + 6);
        out.push_back(r);
    }
    return out;
}

Report ShortcutPacketA(int slot, int shortcut)
{
    std::vector<uint8_t> events;
    ForEachShortcutEvent(shortcut, [&](uint8_t u, bool release) {
        events.insert(events.end(), {u, 0x64, static_cast<uint8_t>(release ? 0x00 : 0x80)});
    });
    if (events.empty())
        events.assign(12, 0); // an unknown shortcut still claims four empty events
    const int count = static_cast<int>(events.size() / 3);
    Report r{0x00, 0x8E, Byte(3 * count), 0x00, 0x00, Byte(slot), 0x01, Byte(count)};
    std::copy(events.begin(), events.end(), r.begin() + 8);
    return r;
}

std::array<uint8_t, 2 * KeyTableEntries> KeyTableA(std::span<const KeyMapRow> rows, const std::map<int32_t, int32_t>& key_index,
                                                   const std::map<int, int>& macro_slots)
{
    std::array<uint8_t, 2 * KeyTableEntries> table{};
    for (const KeyMapRow& row : rows) {
        const auto index = key_index.find(row.key_code);
        if (index == key_index.end() || index->second < 0 || static_cast<size_t>(index->second) >= KeyTableEntries)
            continue;
        const auto i = static_cast<size_t>(index->second);
        switch (row.macro_type) {
        case MacroTypeKey:
            table[2 * i] = Byte(row.macro_value);
            table[2 * i + 1] = 0x20;
            break;
        case MacroTypeDisabled:
            table[2 * i] = 0x00;
            table[2 * i + 1] = 0x20;
            break;
        case MacroTypeMacro:
        case MacroTypeShortcut:
            if (const auto slot = macro_slots.find(row.key_code); slot != macro_slots.end()) {
                table[2 * i] = Byte(slot->second);
                table[2 * i + 1] = 0x40;
            }
            break;
        default:
            break;
        }
    }
    return table;
}

std::array<Report, 4> KeyTablePacketsA(const std::array<uint8_t, 2 * KeyTableEntries>& table)
{
    std::array<Report, 4> out{};
    for (int k = 0; k < 4; ++k) {
        out[static_cast<size_t>(k)] = PacketA(0x8D, k == 3 ? 40 : 60, 60 * k);
        std::copy_n(table.begin() + 60 * k, 60, out[static_cast<size_t>(k)].begin() + 5);
    }
    return out;
}

MacroSlotBuffer MacroSlotBufferFree(int slot)
{
    MacroSlotBuffer m{};
    m[0] = 0x01;
    m[1] = Byte(slot);
    return m;
}

MacroSlotBuffer MacroSlotBufferShortcut(int key, int slot, int shortcut)
{
    MacroSlotBuffer m = MacroSlotBufferFree(slot);
    m[2] = Byte(key);
    m[3] = 1;
    size_t at = 4;
    ForEachShortcutEvent(shortcut, [&](uint8_t u, bool release) {
        m[at++] = u;
        m[at++] = release ? 0x81 : 0x01;
    });
    return m;
}

MacroSlotBuffer MacroSlotBufferMacro(int key, int slot, const int* play_times, std::span<const MacroKeyEvent> events)
{
    MacroSlotBuffer m = MacroSlotBufferFree(slot);
    if (play_times) {
        m[2] = Byte(key);
        m[3] = Byte(*play_times);
    }
    size_t at = 4;
    for (const MacroKeyEvent& e : events) {
        if (at + 2 > MacroSlotTransfer)
            break;
        m[at++] = Byte(e.usage);
        m[at++] = DelayCode(e.delay_ms, e.release);
    }
    return m;
}

std::array<Feature, 28> MacroSlotFeatures(const MacroSlotBuffer& buffer)
{
    std::array<Feature, 28> out{};
    for (size_t k = 0; k < out.size(); ++k) {
        out[k][0] = 0x07;
        out[k][1] = k == 0 ? 0xF1 : 0x00;
        std::copy_n(buffer.begin() + static_cast<std::ptrdiff_t>(6 * k), 6, out[k].begin() + 2);
    }
    return out;
}

Feature RemapSlotFeature(int slot, int key, int value)
{
    return Feature{0x07, 0xFA, 0x01, Byte(slot), Byte(key), 0x01, Byte(value), 0x01};
}

Feature FreeRemapSlotFeature(int slot)
{
    return Feature{0x07, 0xFA, 0x01, Byte(slot), 0x00, 0x01, 0x00, 0x01};
}

Feature KeySlotsRequest()
{
    return Feature{0x07, 0xFB, 0x01};
}

} // namespace corvane
