#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Catalogue;
class EmulatedHidBus;

// What --emulate names, e.g. "201:cable,wireless2": the device type of a catalogue model and the
// links that are plugged in.
struct EmulatorLinks {
    int device_type = 0;
    std::vector<int> modes;

    // False with a one-line reason for a malformed text.
    static bool Parse(std::string_view text, EmulatorLinks& out, std::string& error);
    // Adds the keyboard with the USB identities the catalogue gives its modes; false with a reason
    // when the catalogue has no such model or mode.
    bool AddTo(EmulatedHidBus& bus, const Catalogue& catalogue, std::string& error) const;
};

} // namespace corvane
