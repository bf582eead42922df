#pragma once

#include "keys/UiTexts.h"
#include "tarnui/platform/CString.h"

#include <optional>

namespace corvane {

// The text number of a function category's caption, the title of the key's tip; none for the
// default function, profile switches and unknown categories.
std::optional<int> FunctionCaption(int macro_type);

// The text that describes a key's function in its tip and in lists, from the row's
// `macro_type`, `macro_value` and `macro_desc`.
tarn::CString FunctionDescription(const UiTexts& texts, int macro_type, int macro_value,
                                  const tarn::CString& macro_desc);

} // namespace corvane
