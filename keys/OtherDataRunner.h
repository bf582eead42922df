#pragma once

#include "keys/OtherDataActions.h"
#include "keys/OtherDataLookup.h"
#include "tarnui/platform/CString.h"

namespace corvane {

enum class OtherDataResult {
    Done,
    NoRow,          // no row has the id
    NotAnAction,    // the row's type is not 8 .. 11
    BadParam,       // nothing to start, open or paste, or no profile number
    ActionFailed,   // the desktop could not do it
};

// The address an other-data web key opens: "www." in front when the address has none
// anywhere, then "http://" when it has no scheme. An empty address stays empty.
tarn::CString WebAddressTarget(const tarn::CString& address);

// Performs the action of other-data row `id` (a key of categories 8 .. 11 was pressed).
OtherDataResult RunOtherData(int id, OtherDataLookup& lookup, OtherDataActions& actions);

} // namespace corvane
