#pragma once

#include "tarnui/platform/CString.h"

#include <cstdint>

namespace corvane {

// One keyboard model or one connection mode of a model, as read from config.xml.
struct DeviceRecord {
    tarn::CString name;          // model name, or the mode's HID product string
    int32_t device_type = 0;
    tarn::CString device_info;   // base name of the model's layout file
    int32_t mode = 0;            // 0 cable, 1 and 2 wireless
    int32_t vid = 0;
    int32_t pid = 0;
    tarn::CString desc;
    tarn::CString spare_text;
    tarn::CString hid_interface; // upper-case fragment of the interface path
    int32_t connected = 0;       // set while this mode's device is present
    int32_t spare_number = -1;
};

} // namespace corvane
