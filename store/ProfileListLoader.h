#pragma once

#include "tarnui/platform/CString.h"

#include <cstdint>
#include <vector>

namespace corvane {

class ConfigStore;
class ProfileListView;
class TextLookup;

// Fills the profile list from the store, and names new profiles.
class ProfileListLoader {
public:
    static constexpr const wchar_t* TextSection = L"KB.DIALOG";
    static constexpr int ProfileWordText = 65; // the word for profile in the current language
    static constexpr int MaxNameNumber = 1000;

    // A store without profiles first gets three ("<word> 1" .. "<word> 3", the first active) and
    // the default settings rows; with none active, the first listed profile becomes active.
    // Answers the active profile, 0 when the list stays empty (no database open).
    static int32_t Load(ConfigStore& store, TextLookup& texts, ProfileListView& view);

    // "<base> <n>" with the smallest n from 1 that no shown entry already reads; 1000 when 1 to
    // 1000 are all taken.
    static tarn::CString NewProfileName(const tarn::CString& base, const std::vector<tarn::CString>& shown);
};

} // namespace corvane
