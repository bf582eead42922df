#include "store/ProfileListLoader.h"

#include "store/ConfigStore.h"
#include "store/ProfileListView.h"
#include "store/TextLookup.h"

#include <algorithm>

namespace corvane {

int32_t ProfileListLoader::Load(ConfigStore& store, TextLookup& texts, ProfileListView& view)
{
    std::vector<ProfileRecord> profiles;
    if (store.GetProfiles(profiles) == 0) {
        const tarn::CString base = texts.LoadText(TextSection, ProfileWordText);
        ProfileRecord record;
        record.name = tarn::CString::Formatted(L"%s 1", base);
        const int32_t first = store.AddProfile(record);
        // Only an empty profile table leads here, that is a new file.
        store.WriteDefaultSettings();
        for (int n = 2; n <= 3; ++n) {
            record.name = tarn::CString::Formatted(L"%s %d", base, n);
            store.AddProfile(record);
        }
        if (first != 0)
            store.SetActiveProfile(first);
        store.GetProfiles(profiles);
    }
    view.FillProfiles(profiles);

    int32_t active = store.GetActiveProfile();
    if (active == 0 && !profiles.empty()) {
        active = profiles.front().profile;
        store.SetActiveProfile(active);
    }
    if (active != 0)
        view.ShowActiveProfile(active);
    return active;
}

tarn::CString ProfileListLoader::NewProfileName(const tarn::CString& base, const std::vector<tarn::CString>& shown)
{
    for (int n = 1; n < MaxNameNumber; ++n) {
        tarn::CString name = tarn::CString::Formatted(L"%s %d", base, n);
        if (std::find(shown.begin(), shown.end(), name) == shown.end())
            return name;
    }
    return tarn::CString::Formatted(L"%s %d", base, MaxNameNumber);
}

} // namespace corvane
