#include "app/LightDefaults.h"

#include "catalogue/LayoutState.h"
#include "store/ConfigStore.h"

namespace corvane {

LightRecord LightDefaults::InitialRow(const LayoutState& layout, const LightModeEntry& entry)
{
    LightRecord row;
    row.profile = ConfigStore::LightProfile;
    row.name = entry.name;
    row.mode = entry.mode;
    row.brightness = entry.default_brightness;
    row.speed = layout.default_speed;
    // Models 200 to 299 number their directions from 1 (left) and start on 2.
    row.direction = layout.device_type >= 200 && layout.device_type <= 299 ? 2 : 0;
    row.colorful = 1;
    row.colorindex = 0;
    row.color_value = 255;
    row.config_func = entry.attribute;
    return row;
}

bool LightDefaults::CreateIfNone(ConfigStore& store, const LayoutState& layout)
{
    if (store.CountLightModes(ConfigStore::LightProfile) > 0)
        return true;
    bool added = false;
    for (const LightModeEntry& entry : layout.light_modes)
        added = store.AddLightMode(InitialRow(layout, entry)) > 0 || added;
    if (added)
        store.SetActiveLightMode(ConfigStore::LightProfile, layout.default_mode);
    return store.CountLightModes(ConfigStore::LightProfile) > 0;
}

} // namespace corvane
