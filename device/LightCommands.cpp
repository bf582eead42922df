#include "device/LightCommands.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/Numbers.h"

namespace corvane {

namespace {

uint8_t Byte(int v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

// A value that travels one lower than the page counts, never below 0.
uint8_t OneLess(int v)
{
    const uint8_t b = Byte(v);
    return b != 0 ? static_cast<uint8_t>(b - 1) : 0;
}

uint8_t SpeedAndIndex(const LightSettings& row)
{
    return OneLess((row.colorindex << 4) | row.speed);
}

int SlotIfSelector(const LightSettings& row, int slot)
{
    return (row.config_func & ModeHasSlotSelector) ? slot : 0;
}

Payload WirelessHeader()
{
    return Payload{0xBB, 0xAA, 0x99, 0x88};
}

} // namespace

Report SetLightModeReport(const LightSettings& row)
{
    return Report{0x00, 0x88, 0x00, Byte(row.mode)};
}

Report SetLightEffectReport(const LightSettings& row)
{
    const int f = ((row.direction & 3) << 4) | (row.colorful != 0 ? 0x40 : 0) | (row.speed & 0x0F);
    return Report{0x00, 0x89, 0x00, Byte(f), Byte(static_cast<int>(row.color_value)),
                  Byte(static_cast<int>(row.color_value >> 8)), Byte(static_cast<int>(row.color_value >> 16)),
                  Byte(row.brightness)};
}

Feature SetLightSettingsA(int currentMode, const LightSettings& row, int slot)
{
    return Feature{0x07, 0xFF, 0xFF, Byte(currentMode - 1), Byte(row.brightness), Byte(row.speed), 0x00,
                   Byte(SlotIfSelector(row, slot))};
}

Feature SetLightSettingsBCable(int currentMode, const LightSettings& row, int slot)
{
    return Feature{0x07, 0xFF, 0xFF, Byte(currentMode - 1), OneLess(row.brightness), SpeedAndIndex(row),
                   Byte(SlotIfSelector(row, slot)), Byte(row.direction)};
}

Payload SetLightSettingsBWireless(int currentMode, const LightSettings& row, int slot)
{
    Payload p = WirelessHeader();
    p[4] = 0xAA;
    p[5] = Byte(currentMode - 1);
    p[6] = OneLess(row.brightness);
    p[7] = SpeedAndIndex(row);
    p[8] = 0x00;
    p[9] = Byte(slot);
    p[10] = Byte(row.direction);
    return p;
}

Report ResetReportA()
{
    return Report{0x00, 0xFF, 0xFE, 0xAA, 0xFF};
}

Feature ResetFeatureBCable()
{
    return Feature{0x07, 0xF0, 0xAA};
}

Payload ResetPayloadBWireless()
{
    Payload p = WirelessHeader();
    for (size_t i = 4; i < 10; ++i)
        p[i] = 0xAA;
    return p;
}

Payload ResetFinishPayloadBWireless()
{
    return WirelessHeader();
}

Feature MusicLevelFeature(int effect, int level)
{
    return Feature{0x07, 0x23, 0x45, 0x67, 0x89, Byte(effect), Byte(level), 0x00};
}

Feature VersionRequestFeature()
{
    return Feature{0x07, 0xFD};
}

int FirmwareVersionNumber(uint16_t word)
{
    return tarn::ReadDecimal(tarn::CString::Formatted(L"%x", word).view());
}

} // namespace corvane
