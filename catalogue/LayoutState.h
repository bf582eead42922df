#pragma once

#include "tarnui/platform/CRect.h"
#include "tarnui/platform/CString.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace corvane {

// One light mode a layout offers.
struct LightModeEntry {
    tarn::CString name;         // decimal number of the mode's interface text
    int32_t mode = 0;
    int32_t attribute = 0;      // capability bits, stored as config_func
    int32_t default_brightness = 0;
};

// One key of the layout, as its views received it.
struct LayoutKey {
    int32_t code = 0;
    tarn::CString name;
    tarn::CString desc;
    int32_t key_index = 0;
    int32_t row = -1;           // -1 when row_col named no matrix position
    int32_t col = -1;
    tarn::CRect rect;
};

// Feature flag bits of a layout.
enum FeatureFlag : int32_t {
    FeatureCustomKeys = 0x01,
    FeatureMacros = 0x02,
    FeatureLighting = 0x04,
    FeatureSettingsView = 0x40,
};

// What a loaded layout tells the rest of the program; replaced piece by piece by each load.
struct LayoutState {
    static constexpr int MatrixRows = 8;
    static constexpr int MatrixCols = 32;
    static constexpr uint8_t NoKey = 0xFF;

    int32_t device_type = 0;
    tarn::CString model_name;
    int32_t feature_flags = 127;
    tarn::CString firmware_version;
    tarn::CString firmware_file;
    tarn::CString firmware_url;
    bool rgb_keyboard = false;
    int32_t default_mode = 0;
    int32_t default_brightness = 0;
    int32_t default_speed = 0;
    int32_t brightness_max = 0;
    int32_t speed_max = 0;
    std::vector<LightModeEntry> light_modes;
    int32_t row_count = 0;      // used part of the matrix, 0..8
    int32_t col_count = 0;      // 0..32
    std::array<std::array<uint8_t, MatrixCols>, MatrixRows> matrix = EmptyMatrix();
    std::map<int32_t, int32_t> assignment_index; // key code -> key_index
    std::map<int32_t, int32_t> lighting_index;   // key code -> key_index
    std::vector<LayoutKey> keys;                 // in file order

    static std::array<std::array<uint8_t, MatrixCols>, MatrixRows> EmptyMatrix()
    {
        std::array<std::array<uint8_t, MatrixCols>, MatrixRows> m{};
        for (auto& row : m)
            row.fill(NoKey);
        return m;
    }
};

} // namespace corvane
