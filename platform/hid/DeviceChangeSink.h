#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// Receives hot-plug notifications shaped like WM_DEVICECHANGE for a HID device interface.
// Called on the monitor's own thread: an implementation only hands the notification on (the
// program posts it to the user-interface thread's queue) and must not block.
class DeviceChangeSink {
public:
    static constexpr unsigned Arrival = 0x8000;
    static constexpr unsigned RemoveComplete = 0x8004;

    virtual ~DeviceChangeSink() = default;
    virtual void OnDeviceChange(unsigned event, const tarn::CString& interface_path) = 0;
};

} // namespace corvane
