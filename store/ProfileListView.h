#pragma once

#include "store/StoreRecords.h"

#include <cstdint>
#include <vector>

namespace corvane {

// What loading the profile list needs of the list on the custom key page.
class ProfileListView {
public:
    virtual ~ProfileListView() = default;
    // Empties the list and shows these profiles in this order; how a name is shown is the view's.
    virtual void FillProfiles(const std::vector<ProfileRecord>& profiles) = 0;
    // Selects the active profile's entry and loads its assignments on the current Fn layer.
    virtual void ShowActiveProfile(int32_t profile) = 0;
};

} // namespace corvane
