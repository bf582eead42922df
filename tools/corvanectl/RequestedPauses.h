#pragma once

#include "platform/Clock.h"

#include <atomic>

namespace corvane::ctl {

// A clock that passes everything on and adds up the pauses asked of it, so a transcript of the
// real bus shows the pauses the protocol requested rather than how long the machine took.
class RequestedPauses : public Clock {
public:
    explicit RequestedPauses(Clock& inner) : m_inner(inner) {}

    Millis Now() override { return m_inner.Now(); }
    void SleepUntil(Millis deadline) override;
    bool WaitFor(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, Millis timeout,
                 const std::function<bool()>& ready) override;

    // Every pause requested so far, in milliseconds.
    long long Total() const { return m_total.load(); }

private:
    Clock& m_inner;
    std::atomic<long long> m_total{0};
};

} // namespace corvane::ctl
