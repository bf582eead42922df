#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/FontFamily.h"

namespace tarn::gp {

// A font of an available family; made from an unavailable one it is unavailable too and draws
// nothing. Sizes are in pixels (points are converted at 96 dpi).
class TARN_API Font {
public:
    Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPixel);
    Font(const wchar_t* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPixel);

    bool IsAvailable() const { return m_status == Ok; }
    Status GetLastStatus() const { return m_status; }
    REAL GetSize() const { return m_size; }
    INT GetStyle() const { return m_style; }
    Unit GetUnit() const { return m_unit; }
    Status GetFamily(FontFamily* family) const;
    // The line spacing in pixels.
    REAL GetHeight(REAL dpi = 96.0f) const;

    REAL PixelSize() const;
    const FontFamily& Family() const { return m_family; }

private:
    FontFamily m_family;
    REAL m_size;
    INT m_style;
    Unit m_unit;
    Status m_status = Ok;
};

} // namespace tarn::gp
