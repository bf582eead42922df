#pragma once

#include "platform/hid/HidNodeFacts.h"

#include <filesystem>
#include <optional>
#include <string>

namespace corvane {

// Reads what sysfs holds about a hidraw node. The root is a parameter so tests can lay out a
// small tree of their own.
class SysfsHidReader {
public:
    explicit SysfsHidReader(std::filesystem::path sysRoot = "/sys") : m_root(std::move(sysRoot)) {}

    // For an open path such as /dev/hidraw3; nothing when the node has no sysfs entry.
    std::optional<HidNodeFacts> FromDeviceNode(const std::string& node) const;
    // For a DEVPATH as udev reports it. Always answers: what is gone stays empty.
    HidNodeFacts FromDevpath(const std::string& devpath) const;

private:
    std::filesystem::path m_root;
};

} // namespace corvane
