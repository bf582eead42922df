#pragma once

#include "tarnui/platform/CRect.h"
#include "tarnui/platform/CString.h"

#include <ostream>

// Lets test failures show TarnUI's value types readably.
namespace tarn {
inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << "L\"" << s.ToUtf8() << '"';
}
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}
} // namespace tarn
