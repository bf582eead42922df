#include "emulator/Transcript.h"

#include <cstdio>

namespace corvane {

void Transcript::Record(const std::string& interface, Op op, long long now_ms, std::span<const uint8_t> bytes,
                        bool answered)
{
    Entry entry;
    entry.interface = interface;
    entry.op = op;
    entry.answered = answered;
    if (answered)
        entry.bytes.assign(bytes.begin(), bytes.end());
    std::lock_guard guard(m_lock);
    entry.pause_ms = now_ms - m_lastReport;
    m_lastReport = now_ms;
    entry.sequence = static_cast<int>(m_entries.size());
    m_entries.push_back(std::move(entry));
}

std::vector<Transcript::Entry> Transcript::Entries() const
{
    std::lock_guard guard(m_lock);
    return m_entries;
}

void Transcript::Clear()
{
    std::lock_guard guard(m_lock);
    m_entries.clear();
}

std::string Transcript::Format(const Entry& entry)
{
    static const char* const ops[] = {"write", "feature-set", "feature-get"};
    std::string line = entry.interface + " " + ops[static_cast<int>(entry.op)] + " " + std::to_string(entry.pause_ms);
    if (!entry.answered)
        return line + " -";
    for (uint8_t b : entry.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", b);
        line += hex;
    }
    return line;
}

} // namespace corvane
