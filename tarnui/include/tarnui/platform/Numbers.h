#pragma once

#include "tarnui/platform/Export.h"

#include <cstdint>
#include <string_view>

namespace tarn {

// Decimal reading in the lenient Windows way: leading blanks and one sign, then digits up to the
// first other character. Empty or non-numeric text gives 0; out-of-range values saturate.
TARN_API int32_t ReadDecimal(std::wstring_view text);

// Base-16 reading: leading blanks, one sign, an optional "0x"/"0X", then hexadecimal digits in
// either case up to the first other character. Saturates to the 32-bit range like a 32-bit long.
TARN_API int32_t ReadHex(std::wstring_view text);

} // namespace tarn
