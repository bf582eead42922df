#pragma once

#include "tarnui/platform/CString.h"

#include <string_view>

namespace corvane {

// The user-interface texts of the current language, LoadText("KB.DIALOG", number).
class TextLookup {
public:
    virtual ~TextLookup() = default;
    virtual tarn::CString LoadText(std::wstring_view section, int number) = 0;
};

} // namespace corvane
