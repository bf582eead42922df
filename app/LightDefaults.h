#pragma once

#include "store/StoreRecords.h"

namespace corvane {

class ConfigStore;
struct LayoutState;
struct LightModeEntry;

// The light rows a database gets before its lighting page is first shown: one per layout mode,
// in file order, with the layout's defaults and the default mode made active.
class LightDefaults {
public:
    // Does nothing when the light profile already holds rows; answers whether it holds some now.
    static bool CreateIfNone(ConfigStore& store, const LayoutState& layout);
    static LightRecord InitialRow(const LayoutState& layout, const LightModeEntry& entry);
};

} // namespace corvane
