#include "platform/hid/DeviceChangeTranslator.h"

#include "platform/hid/DeviceChangeSink.h"
#include "platform/hid/InterfacePath.h"

namespace corvane {

void DeviceChangeTranslator::Remember(const HidNodeFacts& facts)
{
    tarn::CString path = InterfacePath::Build(facts);
    if (!facts.devpath.empty() && !path.IsEmpty())
        m_paths[facts.devpath] = std::move(path);
}

std::optional<DeviceChangeTranslator::Notification> DeviceChangeTranslator::Translate(std::string_view action, const HidNodeFacts& facts)
{
    if (action == "add") {
        tarn::CString path = InterfacePath::Build(facts);
        if (facts.devpath.empty() || path.IsEmpty())
            return std::nullopt;
        m_paths[facts.devpath] = path;
        return Notification{DeviceChangeSink::Arrival, std::move(path)};
    }
    if (action == "remove") {
        tarn::CString path;
        if (auto known = m_paths.find(facts.devpath); known != m_paths.end()) {
            path = std::move(known->second);
            m_paths.erase(known);
        } else {
            path = InterfacePath::Build(facts);
        }
        if (path.IsEmpty())
            return std::nullopt;
        return Notification{DeviceChangeSink::RemoveComplete, std::move(path)};
    }
    return std::nullopt;
}

} // namespace corvane
