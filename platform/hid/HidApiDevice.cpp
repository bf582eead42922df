#include "platform/hid/HidApiDevice.h"

#include <hidapi.h>

namespace corvane {

HidApiDevice::~HidApiDevice()
{
    if (m_handle)
        hid_close(m_handle);
}

// An empty buffer has no report id, and hidapi would read byte 0 of it regardless.
int HidApiDevice::Write(std::span<const uint8_t> report)
{
    if (!m_handle || report.empty())
        return -1;
    return hid_write(m_handle, report.data(), report.size());
}

int HidApiDevice::SendFeatureReport(std::span<const uint8_t> report)
{
    if (!m_handle || report.empty())
        return -1;
    return hid_send_feature_report(m_handle, report.data(), report.size());
}

int HidApiDevice::GetFeatureReport(std::span<uint8_t> buffer)
{
    if (!m_handle || buffer.empty())
        return -1;
    return hid_get_feature_report(m_handle, buffer.data(), buffer.size());
}

} // namespace corvane
