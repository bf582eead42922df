#include "app/DeviceChangePoster.h"

#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinUser.h"

namespace corvane {

void DeviceChangePoster::OnDeviceChange(unsigned event, const tarn::CString& interface_path)
{
    tarn::LPARAM id = 0;
    {
        std::lock_guard guard(m_lock);
        id = ++m_last;
        m_records[id] = {DeviceInterfaceRecord::DeviceInterfaceType, interface_path};
    }
    if (!tarn::PostMessageW(m_window, tarn::WM_DEVICECHANGE, event, id)) {
        std::lock_guard guard(m_lock);
        m_records.erase(id);
    }
}

std::optional<DeviceInterfaceRecord> DeviceChangePoster::Take(tarn::LPARAM lParam)
{
    std::lock_guard guard(m_lock);
    const auto it = m_records.find(lParam);
    if (it == m_records.end())
        return std::nullopt;
    DeviceInterfaceRecord record = std::move(it->second);
    m_records.erase(it);
    return record;
}

size_t DeviceChangePoster::Pending() const
{
    std::lock_guard guard(m_lock);
    return m_records.size();
}

} // namespace corvane
