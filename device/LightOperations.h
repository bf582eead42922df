#pragma once

#include "device/LightCommands.h"
#include "tarnui/platform/CString.h"

#include <atomic>
#include <optional>

namespace corvane {

class Clock;
class KeyboardDevice;

// The lighting, reset and version exchanges, by device family and connection mode. Results of
// the primitives are not acted on: a command the keyboard did not take is not repeated.
class LightOperations {
public:
    LightOperations(KeyboardDevice& device, Clock& clock);

    // Task 7. Family A switches the mode with its first write after a mode change and sends the
    // effect after that; family B carries the mode in every settings command. Nothing is sent
    // without a row.
    void ApplyLightMode(int device_type, int connection_mode, int current_mode, const std::optional<LightSettings>& row,
                        int slot);
    // Cleared by picking a light mode in the list; starts set, so the first write sends the effect.
    void SetModeSent(bool sent) { m_modeSent = sent; }
    bool ModeSent() const { return m_modeSent; }

    // Task 10's exchange with the keyboard (the pages are reloaded by the caller).
    void ResetKeyboard(int device_type, int connection_mode);
    // The colour-slot selector of family A models below 200; false when the model has none.
    bool SendSlotSelector(int device_type, int current_mode, const LightSettings& row, int slot);
    bool SendMusicLevel(int effect, int level);
    // The keyboard's firmware version number, or nothing when the server's version text is not
    // 1 to 10 characters long or the keyboard did not answer.
    std::optional<int> CheckFirmwareVersion(const tarn::CString& server_version);

private:
    KeyboardDevice& m_device;
    Clock& m_clock;
    std::atomic<bool> m_modeSent = true;
};

} // namespace corvane
