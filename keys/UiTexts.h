#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// The numbered interface texts of the current language and that language's identifier.
class UiTexts {
public:
    static constexpr int English = 1033;
    static constexpr int Turkish = 1055;

    virtual ~UiTexts() = default;
    // Empty when the language has no such text.
    virtual tarn::CString Text(int number) const = 0;
    virtual int Language() const = 0;
};

} // namespace corvane
