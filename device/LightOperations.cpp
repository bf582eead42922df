#include "device/LightOperations.h"

#include "device/Family.h"
#include "device/KeyboardDevice.h"
#include "platform/Clock.h"

namespace corvane {

using namespace std::chrono_literals;

LightOperations::LightOperations(KeyboardDevice& device, Clock& clock) : m_device(device), m_clock(clock)
{
}

void LightOperations::ApplyLightMode(int device_type, int connection_mode, int current_mode,
                                     const std::optional<LightSettings>& row, int slot)
{
    if (!row)
        return;
    if (IsFamilyA(device_type)) {
        m_device.WriteReport(m_modeSent ? SetLightEffectReport(*row) : SetLightModeReport(*row));
        m_modeSent = true;
    } else if (IsFamilyB(device_type)) {
        if (connection_mode == 0)
            m_device.SendFeature(SetLightSettingsBCable(current_mode, *row, slot));
        else
            m_device.WritePayload(SetLightSettingsBWireless(current_mode, *row, slot));
    }
}

void LightOperations::ResetKeyboard(int device_type, int connection_mode)
{
    if (IsFamilyA(device_type)) {
        m_device.WriteReport(ResetReportA());
        m_clock.Sleep(100ms);
    } else if (IsFamilyB(device_type)) {
        if (connection_mode == 0) {
            m_device.SendFeature(ResetFeatureBCable());
            m_clock.Sleep(100ms);
        } else {
            m_device.WritePayload(ResetPayloadBWireless());
            m_clock.Sleep(1600ms);
            m_device.WritePayload(ResetFinishPayloadBWireless());
        }
    }
}

bool LightOperations::SendSlotSelector(int device_type, int current_mode, const LightSettings& row, int slot)
{
    if (!HasSlotSelector(device_type))
        return false;
    m_device.SendFeature(SetLightSettingsA(current_mode, row, slot));
    return true;
}

bool LightOperations::SendMusicLevel(int effect, int level)
{
    return m_device.SendFeatureNow(MusicLevelFeature(effect, level));
}

std::optional<int> LightOperations::CheckFirmwareVersion(const tarn::CString& server_version)
{
    if (server_version.GetLength() < 1 || server_version.GetLength() > 10)
        return std::nullopt;
    int word = 0;
    if (!m_device.ReadVersionWord(word))
        return std::nullopt;
    return FirmwareVersionNumber(static_cast<uint16_t>(word));
}

} // namespace corvane
