#pragma once

#include "platform/HidTransport.h"
#include "platform/hid/SysfsHidReader.h"

namespace corvane {

// The real HID bus: hidapi's hidraw backend, with each entry's Windows-style interface path
// built from sysfs.
class HidApiTransport final : public HidTransport {
public:
    explicit HidApiTransport(SysfsHidReader sysfs = SysfsHidReader()) : m_sysfs(std::move(sysfs)) {}
    ~HidApiTransport() override;
    HidApiTransport(const HidApiTransport&) = delete;
    HidApiTransport& operator=(const HidApiTransport&) = delete;

    bool Init() override;
    std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

private:
    SysfsHidReader m_sysfs;
    bool m_initialised = false;
};

} // namespace corvane
