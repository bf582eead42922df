#include "app/DeviceTasks.h"

#include "catalogue/Layout.h"
#include "store/ConfigStore.h"

namespace corvane {

LightSettings LightSettingsFrom(const LightRecord& row)
{
    return {row.mode, row.brightness, row.speed, row.direction, row.colorful, row.colorindex,
            static_cast<uint32_t>(row.color_value), row.config_func};
}

DeviceTasks::DeviceTasks(KeyboardDevice& device, Clock& clock, ConfigStore& store, const Layout& layout,
                         DeviceTaskState& state, ResetPages& pages, FirmwareVersionSink& firmware,
                         KeyMapTransfer::KeyCodeFromVirtualKey key_code)
    : m_store(store), m_layout(layout), m_state(state), m_pages(pages), m_firmware(firmware), m_light(device, clock),
      m_colours(device, clock), m_keyMap(device, clock, store, std::move(key_code))
{
}

Worker::TaskHandlers DeviceTasks::Handlers()
{
    return {
        {UploadKeys, [this] { UploadKeyMap(); }},
        {ApplyLight, [this] { ApplyLightMode(); }},
        {UploadColours, [this] { UploadKeyColours(); }},
        {Reset, [this] { ResetKeyboard(); }},
        {FirmwareVersion, [this] { CheckFirmwareVersion(); }},
    };
}

void DeviceTasks::UploadKeyMap()
{
    const LayoutState layout = m_layout.Snapshot();
    m_keyMap.UploadKeyMap(layout.device_type, m_state.CurrentProfile(), m_state.CurrentFnLayer(), layout.assignment_index);
}

void DeviceTasks::ApplyLightMode()
{
    const int mode = m_state.CurrentLightMode();
    LightRecord row;
    std::optional<LightSettings> settings;
    if (m_store.GetLightMode(ConfigStore::LightProfile, mode, row))
        settings = LightSettingsFrom(row);
    m_light.ApplyLightMode(m_layout.DeviceType(), m_state.ConnectionMode(), mode, settings, m_state.ColourSlot());
}

void DeviceTasks::UploadKeyColours()
{
    std::vector<KeyLightRecord> rows;
    m_store.GetKeyLights(ConfigStore::CustomLightSet, rows);
    std::vector<KeyColour> set;
    for (const KeyLightRecord& r : rows)
        set.push_back({r.key_code, static_cast<uint32_t>(r.key_rgb)});
    m_colours.UploadKeyColours(set, m_layout.Snapshot().lighting_index);
}

void DeviceTasks::ResetKeyboard()
{
    m_light.ResetKeyboard(m_layout.DeviceType(), m_state.ConnectionMode());
    // Either family's reset leaves the keyboard at its defaults; every page shows them again.
    m_pages.ReloadMacroList();
    m_pages.ReloadProfileList();
    m_pages.ReloadLightPage();
}

void DeviceTasks::CheckFirmwareVersion()
{
    if (const auto number = m_light.CheckFirmwareVersion(m_state.ServerFirmwareVersion()))
        m_firmware.OnKeyboardFirmwareVersion(*number);
}

} // namespace corvane
