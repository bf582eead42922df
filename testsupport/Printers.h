#pragma once

#include "tarnui/platform/CString.h"

#include <ostream>

// Lets test failures show CString values as text.
namespace tarn {
inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << "L\"" << s.ToUtf8() << '"';
}
} // namespace tarn
