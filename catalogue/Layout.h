#pragma once

#include "catalogue/LayoutState.h"

#include <array>
#include <filesystem>
#include <mutex>

namespace corvane {

class Catalogue;
class LayoutKeyboardView;
class LayoutPageView;
class LayoutStore;

// The loaded keyboard layout. Loads run on the UI thread; the worker reads a consistent copy
// through Snapshot().
class Layout {
public:
    // The three keyboard views, by the feature bit that enables each.
    struct Views {
        LayoutKeyboardView* custom_keys = nullptr; // bit 0
        LayoutKeyboardView* lighting = nullptr;    // bit 2
        LayoutKeyboardView* settings = nullptr;    // bit 6
    };

    Layout(const Catalogue& catalogue, std::filesystem::path programDir, LayoutStore& store, LayoutPageView& page,
           Views views);

    // Switches the store to the model of this type, then reads programDir/layouts/<device_info>.xml.
    // When the file cannot be read everything past the store switch keeps its previous value.
    // Answers whether the file was read.
    bool LoadLayout(int device_type);

    LayoutState Snapshot() const;
    int FeatureFlags() const;
    int DeviceType() const;

private:
    // Steps past the file load, applied to a copy that replaces the state only when complete.
    void ReadLayout(class XmlDocument& doc, LayoutState& state);
    void ReadKeyboard(XmlDocument& doc, LayoutState& state);
    std::array<LayoutKeyboardView*, 3> EnabledViews(int flags) const;

    const Catalogue& m_catalogue;
    std::filesystem::path m_programDir;
    LayoutStore& m_store;
    LayoutPageView& m_page;
    Views m_views;
    mutable std::mutex m_lock;
    LayoutState m_state;
};

} // namespace corvane
