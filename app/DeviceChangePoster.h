#pragma once

#include "platform/hid/DeviceChangeSink.h"
#include "tarnui/platform/WinTypes.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace corvane {

// A device-interface notification as the main window's WM_DEVICECHANGE handler reads it.
struct DeviceInterfaceRecord {
    static constexpr uint32_t DeviceInterfaceType = 5;
    uint32_t device_type = DeviceInterfaceType;
    tarn::CString name; // the interface path
};

// Hands hot-plug notifications from the monitor's thread to the window's thread as posted
// WM_DEVICECHANGE messages. The record stays here, named by the message's lParam, until the
// window takes it, so a message that is never handled leaks nothing and a stale lParam finds
// nothing.
class DeviceChangePoster : public DeviceChangeSink {
public:
    explicit DeviceChangePoster(tarn::HWND window) : m_window(window) {}

    void OnDeviceChange(unsigned event, const tarn::CString& interface_path) override;
    // On the window's thread, for a WM_DEVICECHANGE: its record, once.
    std::optional<DeviceInterfaceRecord> Take(tarn::LPARAM lParam);
    size_t Pending() const;

private:
    const tarn::HWND m_window;
    mutable std::mutex m_lock;
    std::map<tarn::LPARAM, DeviceInterfaceRecord> m_records;
    tarn::LPARAM m_last = 0;
};

} // namespace corvane
