#pragma once

#include "tarnui/platform/CString.h"

#include <cstdint>

namespace corvane {

// One plain record per table, one field per column in column order. Text is wide here and
// UTF-8 in the file; a NULL text column reads as empty.

// t_configdata: a program setting as a key/value text pair.
struct ConfigDataRecord {
    int32_t config_id = 0;
    int32_t profile = 0;
    tarn::CString key;
    tarn::CString value;
};

// t_profile_data: status 1 marks the active profile.
struct ProfileRecord {
    int32_t profile = 0;
    tarn::CString name;
    int32_t status = 0;
    tarn::CString app;
    int32_t type = 0;
};

// t_key_macro_data: a key's non-default function on one profile and Fn layer.
struct KeyMacroRecord {
    int32_t key_id = 0;
    int32_t profile = 0;
    int32_t fn_layer = 0;
    int32_t key_code = 0;
    int32_t layout_value = 0;
    tarn::CString layout_desc;
    int32_t macro_type = 0;
    int32_t macro_value = 0;
    int32_t macro_value2 = 0;
    int32_t macro_value3 = 0;
    tarn::CString macro_desc;
};

// t_key_otherdata: the text parameters of a function; key rows point here by macro_value.
struct OtherDataRecord {
    int32_t macro_value = 0;
    tarn::CString macro_desc;
    tarn::CString param;
    int32_t type = 0;
};

// t_macro_data: a macro and its playback settings.
struct MacroRecord {
    int32_t macro_id = 0;
    int32_t play_times = 0;
    int32_t delay_type = 0;
    int32_t delay_time = 0;
    int32_t link_count = 0;
    tarn::CString name;
};

// t_macrorecord: one event of a macro.
struct MacroEventRecord {
    int32_t record_id = 0;
    int32_t macro_id = 0;
    int32_t type = 0;
    int32_t record_index = 0;
    tarn::CString desc;
    int32_t value = 0;
    int32_t delay_time = 0;
};

// t_light_data: one light mode; status 1 marks the active one.
struct LightRecord {
    int32_t light_id = 0;
    int32_t profile = 0;
    tarn::CString name;
    int32_t mode = 0;
    int32_t brightness = 0;
    int32_t speed = 0;
    int32_t direction = 0;
    int32_t colorful = 0;
    int32_t colorindex = 0;
    int32_t color_value = 0;
    int32_t config_func = 0;
    int32_t reserved = 0;
    int32_t status = 0;
};

// t_key_light_data: one key of a per-key colour set; light_id is the set's number (128 + index).
struct KeyLightRecord {
    int32_t keylight_id = 0;
    int32_t profile = 0;
    int32_t light_id = 0;
    int32_t key_code = 0;
    int32_t key_rgb = 0; // 0x00BBGGRR
};

// t_musiclayer_data: the music-lighting settings; sel 1 marks the layer in use.
struct MusicLayerRecord {
    int32_t layer_id = 0;
    int32_t profile = 0;
    tarn::CString name;
    int32_t deviceindex = 0;
    int32_t foremode = 0;
    int32_t fore_amplitude = 0;
    int32_t backmode = 0;
    int32_t backb_right = 0;
    int32_t sel = 0;
};

} // namespace corvane
