#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Every report that reached the emulated keyboard, in order, with the pause requested before it.
class Transcript {
public:
    enum class Op { Write, FeatureSet, FeatureGet };
    struct Entry {
        int sequence = 0;
        std::string interface; // "cmd0", "live0", "cmd1" ...
        Op op = Op::Write;
        long long pause_ms = 0;
        std::vector<uint8_t> bytes; // for a read: the answer; empty when none came
        bool answered = true;
    };

    // A report seen at `now_ms`; its pause is the time since the report before it (also across
    // Clear). `bytes` are kept only when `answered`.
    void Record(const std::string& interface, Op op, long long now_ms, std::span<const uint8_t> bytes, bool answered);
    std::vector<Entry> Entries() const;
    void Clear();
    // "<interface> <op> <pause> <bytes>", bytes as lower-case hex pairs, "-" for a read unanswered.
    static std::string Format(const Entry& entry);

private:
    mutable std::mutex m_lock;
    std::vector<Entry> m_entries;
    long long m_lastReport = 0;
};

} // namespace corvane
