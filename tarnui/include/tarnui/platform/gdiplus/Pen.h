#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/Color.h"

namespace tarn::gp {

// Dashes are in units of the pen's width, as GDI+ draws them.
class TARN_API Pen {
public:
    explicit Pen(const Color& color, REAL width = 1.0f) : m_color(color), m_width(width > 0 ? width : 1.0f) {}

    Color GetColor() const { return m_color; }
    void SetColor(const Color& color) { m_color = color; }
    REAL GetWidth() const { return m_width; }
    Status SetWidth(REAL width)
    {
        if (!(width > 0))
            return InvalidParameter;
        m_width = width;
        return Ok;
    }
    DashStyle GetDashStyle() const { return m_dash; }
    Status SetDashStyle(DashStyle dash)
    {
        if (dash < DashStyleSolid || dash > DashStyleDashDotDot)
            return InvalidParameter;
        m_dash = dash;
        return Ok;
    }

private:
    Color m_color;
    REAL m_width;
    DashStyle m_dash = DashStyleSolid;
};

} // namespace tarn::gp
