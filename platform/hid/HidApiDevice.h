#pragma once

#include "platform/HidTransport.h"

// hidapi's opaque handle, named here so the library's header stays in the sources.
struct hid_device_;

namespace corvane {

// One device opened by hidapi; destroying it closes it.
class HidApiDevice final : public HidDevice {
public:
    explicit HidApiDevice(hid_device_* handle) : m_handle(handle) {}
    ~HidApiDevice() override;
    HidApiDevice(const HidApiDevice&) = delete;
    HidApiDevice& operator=(const HidApiDevice&) = delete;

    int Write(std::span<const uint8_t> report) override;
    int SendFeatureReport(std::span<const uint8_t> report) override;
    int GetFeatureReport(std::span<uint8_t> buffer) override;

private:
    hid_device_* m_handle;
};

} // namespace corvane
