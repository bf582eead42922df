#include "emulator/EmulatedKeyboard.h"

#include <algorithm>
#include <cstdio>

namespace corvane {

namespace {

constexpr uint8_t FeatureId = 7;

} // namespace

EmulatedKeyboard::EmulatedKeyboard(int device_type, std::vector<Link> links)
    : m_deviceType(device_type), m_links(std::move(links))
{
}

std::vector<EmulatedKeyboard::Link> EmulatedKeyboard::Links() const
{
    std::lock_guard guard(m_lock);
    return m_links;
}

bool EmulatedKeyboard::IsPlugged(int mode) const
{
    std::lock_guard guard(m_lock);
    return std::any_of(m_links.begin(), m_links.end(), [&](const Link& l) { return l.mode == mode && l.plugged; });
}

void EmulatedKeyboard::SetPlugged(int mode, bool plugged)
{
    std::lock_guard guard(m_lock);
    for (Link& l : m_links) {
        if (l.mode == mode)
            l.plugged = plugged;
    }
}

void EmulatedKeyboard::SetFaults(const Faults& faults)
{
    std::lock_guard guard(m_lock);
    m_faults = faults;
    m_versionAnswered = false; // "first" counts from the moment the fault is set
}

void EmulatedKeyboard::SetFirmwareVersion(uint16_t word)
{
    std::lock_guard guard(m_lock);
    m_version = word;
}

void EmulatedKeyboard::SetSlotTable(const std::array<uint8_t, 28>& table)
{
    std::lock_guard guard(m_lock);
    m_slots = table;
}

bool EmulatedKeyboard::OpenFails() const
{
    std::lock_guard guard(m_lock);
    return m_faults.open_fails;
}

int EmulatedKeyboard::OnWrite(int, bool live, std::span<const uint8_t> report)
{
    std::lock_guard guard(m_lock);
    if (m_faults.write_failures > 0) {
        --m_faults.write_failures;
        return -1;
    }
    ++(live ? m_liveWrites : m_writes);
    if (report.size() >= 65 && report[0] == 0x00 && report[1] == 0xBB && report[2] == 0xAA && report[3] == 0x99
        && report[4] == 0x88)
        DecodePayload(report.subspan(1));
    else if (report.size() >= 2)
        DecodeFamilyA(live, report);
    return static_cast<int>(report.size());
}

void EmulatedKeyboard::DecodeFamilyA(bool live, std::span<const uint8_t> r)
{
    const uint8_t command = r[1];
    if (live != (command == 0xF1)) {
        ++m_light.protocol_errors; // live frames and commands each have their own interface
        return;
    }
    switch (command) {
    case 0x88:
        m_light.mode = r[3];
        break;
    case 0x89:
        m_light.effect = r[3];
        m_light.colour = static_cast<uint32_t>(r[4] | (r[5] << 8) | (r[6] << 16));
        m_light.brightness = r[7];
        break;
    case 0xFF:
        if (r[2] == 0xFE && r[3] == 0xAA && r[4] == 0xFF)
            ++m_light.resets;
        break;
    case 0xF0:
        if (r[2] == 0xF4 && r[3] == 0x01)
            m_light.live_enabled = true;
        break;
    case 0x8E:
    case 0x8D:
    case 0x8B:
    case 0xF1:
        DecodeTransfer(r);
        break;
    default:
        break;
    }
}

void EmulatedKeyboard::DecodeTransfer(std::span<const uint8_t> r)
{
    const size_t length = r[2];
    const size_t offset = static_cast<size_t>(r[3] | (r[4] << 8));
    auto keep = [&](auto& target, size_t dataStart) {
        for (size_t i = 0; i < length && dataStart + i < r.size(); ++i) {
            if (offset + i < target.size())
                target[offset + i] = r[dataStart + i];
        }
    };
    switch (r[1]) {
    case 0x8E: {
        std::vector<uint8_t>& macro = m_tables.macros_a[r[5]];
        if (macro.size() < offset + length)
            macro.resize(offset + length);
        keep(macro, 6);
        break;
    }
    case 0x8D:
        keep(m_tables.key_table_a, 5);
        break;
    case 0x8B:
        keep(m_tables.colours_a, 5);
        break;
    case 0xF1:
        keep(m_tables.live_frame, 5);
        if (offset + length >= 330)
            ++m_tables.live_frames;
        break;
    default:
        break;
    }
}

void EmulatedKeyboard::FinishMacroSlot()
{
    std::array<uint8_t, 168> m{};
    std::copy_n(m_slotStream.begin(), m.size(), m.begin());
    m_slotStream.clear();
    const int slot = m[1];
    m_tables.macro_slots_b[slot] = m;
    if (slot >= 1 && slot <= 13)
        m_slots[static_cast<size_t>(slot)] = m[2];
}

EmulatedKeyboard::Tables EmulatedKeyboard::GetTables() const
{
    std::lock_guard guard(m_lock);
    return m_tables;
}

void EmulatedKeyboard::DecodePayload(std::span<const uint8_t> p)
{
    if (p[4] == 0xAA && p[5] == 0xAA && p[6] == 0xAA && p[7] == 0xAA && p[8] == 0xAA && p[9] == 0xAA) {
        m_light.reset_pending = true;
    } else if (p[4] == 0xAA) {
        m_light.mode = p[5];
        m_light.brightness = p[6];
        m_light.speed = p[7];
        m_light.slot = p[9];
        m_light.direction = p[10];
    } else if (m_light.reset_pending && std::all_of(p.begin() + 4, p.end(), [](uint8_t b) { return b == 0; })) {
        m_light.reset_pending = false;
        ++m_light.resets;
    }
}

void EmulatedKeyboard::DecodeFeature(std::span<const uint8_t> r)
{
    if (r[1] == 0xFF && r[2] == 0xFF) {
        m_light.mode = r[3];
        m_light.brightness = r[4];
        m_light.speed = r[5];
        m_light.slot = r[6];
        m_light.direction = r[7];
    } else if (r[1] == 0xF0 && r[2] == 0xAA) {
        ++m_light.resets;
    } else if (r[1] == 0x23 && r[2] == 0x45 && r[3] == 0x67 && r[4] == 0x89) {
        m_light.music_effect = r[5];
        m_light.music_level = r[6];
    } else if (r[1] == 0xFA && r[2] == 0x01) {
        const int slot = r[3];
        if (r[4] == 0)
            m_tables.remap_slots_b.erase(slot);
        else
            m_tables.remap_slots_b[slot] = {r[4], r[6]};
        if (slot >= 1 && slot <= 10)
            m_slots[static_cast<size_t>(13 + slot)] = r[4];
    }
    // A macro slot arrives as one F1 report and 27 continuation reports of six bytes each.
    if (r[1] == 0xF1) {
        m_slotStream.assign(r.begin() + 2, r.begin() + 8);
    } else if (r[1] == 0x00 && !m_slotStream.empty()) {
        m_slotStream.insert(m_slotStream.end(), r.begin() + 2, r.begin() + 8);
        if (m_slotStream.size() >= 168)
            FinishMacroSlot();
    } else {
        m_slotStream.clear();
    }
}

EmulatedKeyboard::LightState EmulatedKeyboard::Light() const
{
    std::lock_guard guard(m_lock);
    return m_light;
}

int EmulatedKeyboard::OnFeatureSet(int, bool live, std::span<const uint8_t> report)
{
    std::lock_guard guard(m_lock);
    if (live) {
        ++m_light.protocol_errors;
        return -1;
    }
    if (report.size() < 2 || report[0] != FeatureId)
        return -1;
    ++m_featureSets;
    if (report.size() >= 8)
        DecodeFeature(report);
    if (report[1] == 0xFD) {
        m_armed = Armed::Version;
    } else if (report[1] == 0xFB) {
        m_armed = Armed::SlotTable;
        m_slotRead = 0;
    }
    return static_cast<int>(report.size());
}

int EmulatedKeyboard::OnFeatureGet(int, bool live, std::span<uint8_t> buffer)
{
    std::lock_guard guard(m_lock);
    if (live) {
        ++m_light.protocol_errors;
        return -1;
    }
    if (m_faults.reads_unanswered || buffer.size() < 8 || buffer[0] != FeatureId)
        return -1;
    std::fill(buffer.begin() + 1, buffer.end(), uint8_t{0});
    switch (m_armed) {
    case Armed::Version:
        buffer[0] = (m_faults.first_version_byte_wrong && !m_versionAnswered) ? 0x06 : FeatureId;
        buffer[1] = static_cast<uint8_t>(m_version >> 8);
        buffer[2] = static_cast<uint8_t>(m_version & 0xFF);
        m_versionAnswered = true;
        return 8;
    case Armed::SlotTable:
        if (m_slotRead >= 4)
            return -1;
        std::copy_n(m_slots.begin() + 7 * m_slotRead, 7, buffer.begin() + 1);
        if (++m_slotRead == 4)
            m_armed = Armed::Nothing;
        return 8;
    case Armed::Nothing:
        break;
    }
    return -1;
}

std::vector<std::string> EmulatedKeyboard::StateLines() const
{
    std::lock_guard guard(m_lock);
    char version[16];
    std::snprintf(version, sizeof version, "0x%04x", m_version);
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06x", m_light.colour);
    return {
        "device_type " + std::to_string(m_deviceType),
        std::string("firmware_version ") + version,
        "reports_written " + std::to_string(m_writes),
        "live_frames_written " + std::to_string(m_liveWrites),
        "feature_reports " + std::to_string(m_featureSets),
        "light_mode " + std::to_string(m_light.mode),
        "light_brightness " + std::to_string(m_light.brightness),
        "light_speed " + std::to_string(m_light.speed),
        "light_effect " + std::to_string(m_light.effect),
        std::string("light_colour ") + colour,
        "light_slot " + std::to_string(m_light.slot),
        "light_direction " + std::to_string(m_light.direction),
        "resets " + std::to_string(m_light.resets),
        "music_effect " + std::to_string(m_light.music_effect),
        "music_level " + std::to_string(m_light.music_level),
        "live_enabled " + std::to_string(m_light.live_enabled ? 1 : 0),
        "live_frames " + std::to_string(m_tables.live_frames),
        "macro_slots_a " + std::to_string(m_tables.macros_a.size()),
        "macro_slots_b " + std::to_string(m_tables.macro_slots_b.size()),
        "remap_slots_b " + std::to_string(m_tables.remap_slots_b.size()),
        "protocol_errors " + std::to_string(m_light.protocol_errors),
    };
}

} // namespace corvane
