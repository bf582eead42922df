#pragma once

#include "platform/hid/HidNodeFacts.h"
#include "tarnui/platform/CString.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane {

// Turns udev actions on hidraw nodes into device-change notifications. It remembers the path of
// every node it has seen arrive, because by the time a removal comes the node's sysfs is gone and
// the devpath alone cannot say how many interfaces the device had or what HID_PHYS was.
class DeviceChangeTranslator {
public:
    struct Notification {
        unsigned event = 0;
        tarn::CString interface_path;
    };

    // "add" gives an arrival, "remove" a removal; other actions, and nodes whose path cannot be
    // built, give nothing.
    std::optional<Notification> Translate(std::string_view action, const HidNodeFacts& facts);
    // Records a node that was present before the monitor started.
    void Remember(const HidNodeFacts& facts);
    size_t KnownNodes() const { return m_paths.size(); }

private:
    std::unordered_map<std::string, tarn::CString> m_paths;  // devpath -> interface path
};

} // namespace corvane
