#pragma once

#include "tarnui/platform/CString.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// One HID top-level collection as the enumeration lists it. On Linux every collection of one
// hidraw node shares that node's open path.
struct HidDeviceInfo {
    std::string path;              // what OpenPath takes, e.g. /dev/hidraw3
    tarn::CString interface_path;  // Windows-style interface path, e.g. \\?\HID#VID_3A71&PID_0201&MI_01#...
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = 0;
    tarn::CString product_string;
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    int interface_number = -1;     // USB bInterfaceNumber, -1 off USB
};

// An open HID device; closing it is destroying it. Results follow the transport's convention:
// the number of bytes moved, or -1 on failure.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // An output report; byte 0 is the report id.
    virtual int Write(std::span<const uint8_t> report) = 0;
    virtual int SendFeatureReport(std::span<const uint8_t> report) = 0;
    // Byte 0 of `buffer` names the report id on entry; the answer, report id included, replaces it.
    virtual int GetFeatureReport(std::span<uint8_t> buffer) = 0;
};

// The HID bus: the real one over hidapi (hidraw) or the keyboard emulator.
class HidTransport {
public:
    virtual ~HidTransport() = default;
    virtual bool Init() = 0;
    // Vendor and product id 0 list every device.
    virtual std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) = 0;
    // Read and write access, shared with other openers; null on failure.
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
};

} // namespace corvane
