#pragma once

#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdiplus/GdiplusTypes.h"

namespace tarn::gp {

// A straight (not premultiplied) colour, 0xAARRGGBB; COLORREF is 0x00BBGGRR.
class Color {
public:
    constexpr Color() = default;
    constexpr explicit Color(ARGB argb) : m_argb(argb) {}
    constexpr Color(BYTE r, BYTE g, BYTE b) : m_argb(MakeARGB(255, r, g, b)) {}
    constexpr Color(BYTE a, BYTE r, BYTE g, BYTE b) : m_argb(MakeARGB(a, r, g, b)) {}

    static constexpr ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b)
    {
        return static_cast<ARGB>(a) << 24 | static_cast<ARGB>(r) << 16 | static_cast<ARGB>(g) << 8 | b;
    }
    static constexpr Color FromCOLORREF(COLORREF c, BYTE alpha = 255)
    {
        return Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
    }

    constexpr BYTE GetA() const { return static_cast<BYTE>(m_argb >> 24); }
    constexpr BYTE GetR() const { return static_cast<BYTE>(m_argb >> 16); }
    constexpr BYTE GetG() const { return static_cast<BYTE>(m_argb >> 8); }
    constexpr BYTE GetB() const { return static_cast<BYTE>(m_argb); }
    constexpr BYTE GetAlpha() const { return GetA(); }
    constexpr BYTE GetRed() const { return GetR(); }
    constexpr BYTE GetGreen() const { return GetG(); }
    constexpr BYTE GetBlue() const { return GetB(); }
    constexpr ARGB GetValue() const { return m_argb; }
    constexpr void SetValue(ARGB argb) { m_argb = argb; }
    constexpr COLORREF ToCOLORREF() const { return RGB(GetR(), GetG(), GetB()); }
    constexpr void SetFromCOLORREF(COLORREF c) { m_argb = MakeARGB(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

    friend constexpr bool operator==(const Color&, const Color&) = default;

private:
    ARGB m_argb = 0xFF000000;
};

} // namespace tarn::gp
