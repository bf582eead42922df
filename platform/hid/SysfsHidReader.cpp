#include "platform/hid/SysfsHidReader.h"

#include <charconv>
#include <fstream>
#include <string_view>
#include <system_error>

namespace corvane {

namespace {

// Attribute files are a few bytes; a larger read means this is not the file we think it is.
constexpr std::streamsize MaxAttributeSize = 64 * 1024;

bool ReadSmallFile(const std::filesystem::path& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(static_cast<size_t>(MaxAttributeSize), '\0');
    in.read(out.data(), MaxAttributeSize);
    out.resize(static_cast<size_t>(in.gcount()));
    return true;
}

std::string_view TrimSpace(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

// bInterfaceNumber is written in hex ("03"), bNumInterfaces in decimal (" 4").
int ReadNumberAttribute(const std::filesystem::path& path, int base)
{
    std::string text;
    if (!ReadSmallFile(path, text))
        return -1;
    const std::string_view value = TrimSpace(text);
    int number = -1;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number, base);
    if (ec != std::errc() || end != value.data() + value.size() || number < 0 || number > 255)
        return -1;
    return number;
}

void ReadHidUevent(const std::filesystem::path& path, HidNodeFacts& facts)
{
    std::string text;
    if (!ReadSmallFile(path, text))
        return;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, equals);
        const std::string value(line.substr(equals + 1));
        if (key == "HID_ID")
            facts.hid_id = value;
        else if (key == "HID_PHYS")
            facts.hid_phys = value;
        else if (key == "HID_NAME")
            facts.hid_name = value;
    }
}

} // namespace

std::optional<HidNodeFacts> SysfsHidReader::FromDeviceNode(const std::string& node) const
{
    const std::filesystem::path nodePath(node);
    const std::string name = nodePath.filename().string();
    if (name.rfind("hidraw", 0) != 0 || name.find_first_not_of("0123456789", 6) != std::string::npos || name.size() == 6)
        return std::nullopt;
    std::error_code ec;
    const auto target = std::filesystem::canonical(m_root / "class" / "hidraw" / name, ec);
    if (ec)
        return std::nullopt;
    const auto root = std::filesystem::canonical(m_root, ec);
    if (ec)
        return std::nullopt;
    const auto relative = target.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..")
        return std::nullopt;
    return FromDevpath("/" + relative.generic_string());
}

HidNodeFacts SysfsHidReader::FromDevpath(const std::string& devpath) const
{
    HidNodeFacts facts;
    facts.devpath = devpath;
    // The kernel puts a hidraw node two levels below its HID device (.../HIDDEV/hidraw/hidrawN),
    // and a USB HID device right below its USB interface, which sits below the USB device.
    const std::filesystem::path node = m_root / std::filesystem::path(devpath).relative_path();
    const std::filesystem::path hid = node.parent_path().parent_path();
    ReadHidUevent(hid / "uevent", facts);

    const std::filesystem::path usbInterface = hid.parent_path();
    facts.usb_interface_number = ReadNumberAttribute(usbInterface / "bInterfaceNumber", 16);
    if (facts.usb_interface_number >= 0)
        facts.usb_interface_count = ReadNumberAttribute(usbInterface.parent_path() / "bNumInterfaces", 10);
    return facts;
}

} // namespace corvane
