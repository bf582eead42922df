#pragma once

#include <string>

namespace corvane {

// What sysfs tells about one hidraw node. Only devpath is certain to be known: at removal the
// node's sysfs folder is gone, and the other fields stay empty or -1.
struct HidNodeFacts {
    std::string devpath;            // the hidraw node's DEVPATH, e.g. /devices/.../0003:3A71:0201.0005/hidraw/hidraw3
    std::string hid_id;             // HID_ID of its HID device, "BBBB:VVVVVVVV:PPPPPPPP"
    std::string hid_phys;           // HID_PHYS, e.g. usb-0000:00:14.0-2/input3
    std::string hid_name;           // HID_NAME
    int usb_interface_number = -1;  // bInterfaceNumber of the USB interface; -1 off USB or unknown
    int usb_interface_count = -1;   // bNumInterfaces of the USB device; -1 off USB or unknown
};

} // namespace corvane
