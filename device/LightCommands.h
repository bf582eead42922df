#pragma once

#include <array>
#include <cstdint>

namespace corvane {

// The columns of a light row that the light commands carry.
struct LightSettings {
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    uint32_t color_value = 0; // 0x00BBGGRR
    int config_func = 0;
};

using Report = std::array<uint8_t, 65>;   // family A output report, report id 0 in byte 0
using Feature = std::array<uint8_t, 8>;   // feature report, report id 7 in byte 0
using Payload = std::array<uint8_t, 64>;  // family B wireless payload, BB AA 99 88 first

// Capability bits of a light mode that change how it is sent.
constexpr int ModeHasSlotSelector = 0x100;

// The light commands, byte for byte. `currentMode` is the page's light-mode number and `slot`
// the colour-slot selector's index, counted from 0.
Report SetLightModeReport(const LightSettings& row);
Report SetLightEffectReport(const LightSettings& row);
Feature SetLightSettingsA(int currentMode, const LightSettings& row, int slot);
Feature SetLightSettingsBCable(int currentMode, const LightSettings& row, int slot);
Payload SetLightSettingsBWireless(int currentMode, const LightSettings& row, int slot);

Report ResetReportA();
Feature ResetFeatureBCable();
Payload ResetPayloadBWireless();
Payload ResetFinishPayloadBWireless();

Feature MusicLevelFeature(int effect, int level);
Feature VersionRequestFeature();

// The firmware version word printed in hexadecimal and read back as decimal: 0x0105 is 105,
// 0x00A0 ("a0") is 0.
int FirmwareVersionNumber(uint16_t word);

} // namespace corvane
