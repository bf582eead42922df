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
    return static_cast<int>(report.size());
}

int EmulatedKeyboard::OnFeatureSet(int, std::span<const uint8_t> report)
{
    std::lock_guard guard(m_lock);
    if (report.size() < 2 || report[0] != FeatureId)
        return -1;
    ++m_featureSets;
    if (report[1] == 0xFD) {
        m_armed = Armed::Version;
    } else if (report[1] == 0xFB) {
        m_armed = Armed::SlotTable;
        m_slotRead = 0;
    }
    return static_cast<int>(report.size());
}

int EmulatedKeyboard::OnFeatureGet(int, std::span<uint8_t> buffer)
{
    std::lock_guard guard(m_lock);
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
    return {
        "device_type " + std::to_string(m_deviceType),
        std::string("firmware_version ") + version,
        "reports_written " + std::to_string(m_writes),
        "live_frames_written " + std::to_string(m_liveWrites),
        "feature_reports " + std::to_string(m_featureSets),
    };
}

} // namespace corvane
