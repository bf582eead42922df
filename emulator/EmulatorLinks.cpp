#include "emulator/EmulatorLinks.h"

#include "catalogue/Catalogue.h"
#include "emulator/EmulatedHidBus.h"

#include <algorithm>
#include <charconv>

namespace corvane {

bool EmulatorLinks::Parse(std::string_view text, EmulatorLinks& out, std::string& error)
{
    out = EmulatorLinks{};
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        error = "--emulate \"" + std::string(text) + "\" is not TYPE:LINK[,LINK...]";
        return false;
    }
    const std::string_view type = text.substr(0, colon);
    const auto [end, ec] = std::from_chars(type.data(), type.data() + type.size(), out.device_type);
    if (ec != std::errc() || end != type.data() + type.size() || out.device_type <= 0) {
        error = "emulator device type \"" + std::string(type) + "\" is not a positive number";
        return false;
    }
    std::string_view links = text.substr(colon + 1);
    while (true) {
        const size_t comma = links.find(',');
        const std::string_view link = links.substr(0, comma);
        int mode = -1;
        if (link == "cable") mode = 0;
        else if (link == "wireless1") mode = 1;
        else if (link == "wireless2") mode = 2;
        if (mode < 0) {
            error = "unknown emulator link \"" + std::string(link) + "\" (use cable, wireless1 or wireless2)";
            return false;
        }
        if (std::find(out.modes.begin(), out.modes.end(), mode) != out.modes.end()) {
            error = "emulator link \"" + std::string(link) + "\" given twice";
            return false;
        }
        out.modes.push_back(mode);
        if (comma == std::string_view::npos)
            break;
        links.remove_prefix(comma + 1);
    }
    return true;
}

bool EmulatorLinks::AddTo(EmulatedHidBus& bus, const Catalogue& catalogue, std::string& error) const
{
    std::vector<EmulatedKeyboard::Link> links;
    for (int mode : modes) {
        const auto& all = catalogue.DeviceModes();
        const auto found = std::find_if(all.begin(), all.end(), [&](const DeviceRecord& r) {
            return r.device_type == device_type && r.mode == mode;
        });
        if (found == all.end()) {
            error = "the catalogue has no mode " + std::to_string(mode) + " for device type " + std::to_string(device_type);
            return false;
        }
        links.push_back({mode, static_cast<uint16_t>(found->vid), static_cast<uint16_t>(found->pid), found->name, true});
    }
    bus.AddKeyboard(device_type, std::move(links));
    return true;
}

} // namespace corvane
