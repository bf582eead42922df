#pragma once

#include "tarnui/platform/CString.h"

#include <optional>

namespace corvane {

// A row of t_key_otherdata: what a key of categories 8 .. 11 does.
struct OtherDataRow {
    int id = 0;
    int type = 0;               // the category of the key row that points here
    tarn::CString macro_desc;   // the program's label, the web address, the text, the profile's name
    tarn::CString param;        // the program's path, or the profile number in decimal
};

class OtherDataLookup {
public:
    virtual ~OtherDataLookup() = default;
    // Nothing when no row has this id or the store cannot be read.
    virtual std::optional<OtherDataRow> GetOtherData(int id) = 0;
};

} // namespace corvane
