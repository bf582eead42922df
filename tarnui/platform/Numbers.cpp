#include "tarnui/platform/Numbers.h"

#include <limits>

namespace tarn {

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

int DigitValue(wchar_t c, int base)
{
    int v = -1;
    if (c >= L'0' && c <= L'9') v = c - L'0';
    else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
    return v < base ? v : -1;
}

int32_t Read(std::wstring_view text, int base)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (base == 16 && i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')
        && i + 2 < text.size() && DigitValue(text[i + 2], 16) >= 0)
        i += 2;
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0)
            break;
        value = value * base + d;
        if (value > limit)
            value = limit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

} // namespace

int32_t ReadDecimal(std::wstring_view text)
{
    return Read(text, 10);
}

int32_t ReadHex(std::wstring_view text)
{
    return Read(text, 16);
}

} // namespace tarn
