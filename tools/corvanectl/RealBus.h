#pragma once

#include <memory>

namespace corvane {
class Clock;
class HidTransport;
} // namespace corvane

namespace corvane::ctl {

// The machine's own HID bus and clock, for runs without --emulate.
std::unique_ptr<HidTransport> MakeRealTransport();
std::unique_ptr<Clock> MakeSystemClock();

} // namespace corvane::ctl
