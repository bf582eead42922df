#pragma once

#include "app/Worker.h"
#include "device/ColourTransfer.h"
#include "device/KeyMapTransfer.h"
#include "device/LightOperations.h"
#include "tarnui/platform/CString.h"

namespace corvane {

class ConfigStore;
class KeyboardDevice;
class Layout;

// What the device tasks read from the main window when they start.
class DeviceTaskState {
public:
    virtual ~DeviceTaskState() = default;
    virtual int ConnectionMode() = 0;
    virtual int CurrentProfile() = 0;
    virtual int CurrentFnLayer() = 0;
    virtual int CurrentLightMode() = 0;
    // The lighting page's colour-slot selector, counted from 0.
    virtual int ColourSlot() = 0;
    // The firmware version text the update server offers for this model.
    virtual tarn::CString ServerFirmwareVersion() = 0;
};

// The pages a keyboard reset reloads, in this order.
class ResetPages {
public:
    virtual ~ResetPages() = default;
    virtual void ReloadMacroList() = 0;
    virtual void ReloadProfileList() = 0;
    virtual void ReloadLightPage() = 0;
};

// Where the keyboard's firmware version number goes for the update check.
class FirmwareVersionSink {
public:
    virtual ~FirmwareVersionSink() = default;
    virtual void OnKeyboardFirmwareVersion(int number) = 0;
};

// The bodies of the worker's device tasks: 6 key table, 7 lighting, 8 per-key colours,
// 10 keyboard reset, 13 firmware version.
class DeviceTasks {
public:
    static constexpr int UploadKeys = 6;
    static constexpr int ApplyLight = 7;
    static constexpr int UploadColours = 8;
    static constexpr int Reset = 10;
    static constexpr int FirmwareVersion = 13;

    DeviceTasks(KeyboardDevice& device, Clock& clock, ConfigStore& store, const Layout& layout, DeviceTaskState& state,
                ResetPages& pages, FirmwareVersionSink& firmware, KeyMapTransfer::KeyCodeFromVirtualKey key_code);

    // The handlers to plug into the worker.
    Worker::TaskHandlers Handlers();

    void UploadKeyMap();
    void ApplyLightMode();
    void UploadKeyColours();
    void ResetKeyboard();
    void CheckFirmwareVersion();

    LightOperations& Light() { return m_light; }
    ColourTransfer& Colours() { return m_colours; }
    KeyMapTransfer& KeyMap() { return m_keyMap; }

private:
    ConfigStore& m_store;
    const Layout& m_layout;
    DeviceTaskState& m_state;
    ResetPages& m_pages;
    FirmwareVersionSink& m_firmware;
    LightOperations m_light;
    ColourTransfer m_colours;
    KeyMapTransfer m_keyMap;
};

// The columns of a stored light row that the light commands carry.
LightSettings LightSettingsFrom(const struct LightRecord& row);

} // namespace corvane
