#pragma once

#include "platform/hid/HidNodeFacts.h"
#include "tarnui/platform/CString.h"

#include <cstdint>
#include <string_view>

namespace corvane {

// Builds the Windows-style device-interface path of a hidraw node, so the catalogue's
// hid_interface patterns, the "&MI_03" test and the Bluetooth GATT rule read the same on both
// platforms. Pure: everything comes from the facts, nothing from the file system.
class InterfacePath {
public:
    static constexpr uint16_t BusUsb = 0x03;
    static constexpr uint16_t BusBluetooth = 0x05;

    struct Identity {
        uint16_t bus = 0;
        uint16_t vendor_id = 0;
        uint16_t product_id = 0;
    };

    // Upper-case throughout. Empty when neither HID_ID nor the devpath names bus, vendor and product.
    static tarn::CString Build(const HidNodeFacts& facts);

    // "BBBB:VVVVVVVV:PPPPPPPP" (HID_ID) or "BBBB:VVVV:PPPP.NNNN" (the HID device's name).
    static bool ParseIdentity(std::string_view text, Identity& out);
    // N of a trailing "/inputN", or -1.
    static int PhysInputNumber(std::string_view phys);
};

} // namespace corvane
