#pragma once

#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"

#include <vector>

namespace corvane::test {

// Plugs a keyboard of `type` with these links into the bus, tells the device its modes and
// opens the interfaces as a rescan does, with commands going to that type.
inline EmulatedKeyboard& ConnectEmulated(EmulatedHidBus& bus, KeyboardDevice& device, int type, const std::vector<int>& modes)
{
    std::vector<EmulatedKeyboard::Link> links;
    for (int m : modes) {
        const auto pid = static_cast<uint16_t>(type * 4 + m);
        device.AddModel(0x3A71, pid, L"", type, m, L"");
        links.push_back({m, 0x3A71, pid, L"", true});
    }
    EmulatedKeyboard& keyboard = bus.AddKeyboard(type, links);
    device.OpenAll();
    device.SetOpened(true);
    device.SelectDeviceType(type);
    return keyboard;
}

} // namespace corvane::test
