#include "platform/hid/InterfacePath.h"

#include <charconv>
#include <vector>

namespace corvane {

namespace {

// The HID device-interface class; every HID path ends with it.
constexpr const wchar_t* HidClassGuid = L"{4D1E55B2-F16F-11CF-88CB-001111000030}";
constexpr const wchar_t* GattHidService = L"{00001812-0000-1000-8000-00805F9B34FB}";
constexpr const wchar_t* ClassicHidService = L"{00001124-0000-1000-8000-00805F9B34FB}";

// BlueZ serves HID over GATT through uhid, and our emulator uses uhid as well.
constexpr std::string_view UhidParent = "/virtual/misc/uhid/";

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool ParseNumber(std::string_view text, int base, unsigned long& out)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return ec == std::errc() && end == text.data() + text.size();
}

// Exactly `digits` hex digits (HID names print fixed widths; anything else is another kind of name).
bool ParseHexField(std::string_view text, size_t digits, uint16_t& out)
{
    unsigned long value = 0;
    if (text.size() != digits || !ParseNumber(text, 16, value) || value > 0xFFFF)
        return false;
    out = static_cast<uint16_t>(value);
    return true;
}

// "1-2:1.3" (bus-port:config.interface) gives 3; anything else -1.
int UsbInterfaceFromName(std::string_view name)
{
    const size_t colon = name.rfind(':');
    if (colon == std::string_view::npos || name.substr(0, colon).find('-') == std::string_view::npos)
        return -1;
    const auto parts = Split(name.substr(colon + 1), '.');
    unsigned long config = 0;
    unsigned long number = 0;
    if (parts.size() != 2 || !ParseNumber(parts[0], 10, config) || !ParseNumber(parts[1], 10, number) || number > 255)
        return -1;
    return static_cast<int>(number);
}

tarn::CString Upper(std::string_view text)
{
    tarn::CString s = tarn::CString::FromUtf8(text);
    s.MakeUpper();
    return s;
}

} // namespace

bool InterfacePath::ParseIdentity(std::string_view text, Identity& out)
{
    const auto parts = Split(text, ':');
    if (parts.size() != 3)
        return false;
    Identity id;
    if (!ParseHexField(parts[0], 4, id.bus))
        return false;
    if (parts[1].size() == 8) {
        // HID_ID: "%04X:%08X:%08X".
        if (!ParseHexField(parts[1].substr(4), 4, id.vendor_id) || parts[1].substr(0, 4) != "0000"
            || parts[2].size() != 8 || parts[2].substr(0, 4) != "0000" || !ParseHexField(parts[2].substr(4), 4, id.product_id))
            return false;
    } else {
        // The HID device's name: "%04X:%04X:%04X.%04X".
        const auto last = Split(parts[2], '.');
        uint16_t sequence = 0;
        if (!ParseHexField(parts[1], 4, id.vendor_id) || last.size() != 2 || !ParseHexField(last[0], 4, id.product_id)
            || !ParseHexField(last[1], 4, sequence))
            return false;
    }
    out = id;
    return true;
}

int InterfacePath::PhysInputNumber(std::string_view phys)
{
    const size_t slash = phys.rfind('/');
    if (slash == std::string_view::npos || phys.substr(slash + 1, 5) != "input")
        return -1;
    unsigned long number = 0;
    if (!ParseNumber(phys.substr(slash + 6), 10, number) || number > 255)
        return -1;
    return static_cast<int>(number);
}

tarn::CString InterfacePath::Build(const HidNodeFacts& facts)
{
    const auto parts = Split(facts.devpath, '/');

    // The HID device is the hidraw node's grandparent (.../0003:3A71:0201.0005/hidraw/hidraw3);
    // search from the end so an unusual layout still finds it.
    Identity fromName;
    int hidIndex = -1;
    for (size_t i = parts.size(); i-- > 0;) {
        if (ParseIdentity(parts[i], fromName) && parts[i].find('.') != std::string_view::npos) {
            hidIndex = static_cast<int>(i);
            break;
        }
    }

    Identity id;
    if (!ParseIdentity(facts.hid_id, id)) {
        if (hidIndex < 0)
            return {};
        id = fromName;
    }

    const tarn::CString instance = Upper(hidIndex >= 0 ? parts[static_cast<size_t>(hidIndex)] : parts.back());
    const bool viaUhid = facts.devpath.find(UhidParent) != std::string::npos;
    const unsigned vid = id.vendor_id;
    const unsigned pid = id.product_id;

    tarn::CString head;
    if (id.bus == BusBluetooth) {
        // Vendor id source 2 (USB-IF), as Windows writes it.
        if (viaUhid)
            head = tarn::CString::Formatted(L"%s_DEV_VID&02%04X_PID&%04X", GattHidService, vid, pid);
        else
            head = tarn::CString::Formatted(L"%s_VID&0002%04X_PID&%04X", ClassicHidService, vid, pid);
    } else {
        head = tarn::CString::Formatted(L"VID_%04X&PID_%04X", vid, pid);
        if (id.bus == BusUsb) {
            int number = -1;
            bool multiInterface = false;
            if (viaUhid) {
                // A uhid device has no USB interface; its creator names one in HID_PHYS.
                number = PhysInputNumber(facts.hid_phys);
                multiInterface = number >= 0;
            } else {
                number = facts.usb_interface_number;
                if (number < 0 && hidIndex > 0)
                    number = UsbInterfaceFromName(parts[static_cast<size_t>(hidIndex - 1)]);
                if (number < 0)
                    number = PhysInputNumber(facts.hid_phys);
                // Without the count (a removal whose sysfs is gone) only a nonzero number proves
                // there is more than one interface.
                multiInterface = facts.usb_interface_count >= 0 ? facts.usb_interface_count > 1 : number > 0;
            }
            if (multiInterface && number >= 0)
                head.AppendFormat(L"&MI_%02X", static_cast<unsigned>(number));
        }
    }
    return tarn::CString::Formatted(L"\\\\?\\HID#%s#%s#%s", head, instance, HidClassGuid);
}

} // namespace corvane
