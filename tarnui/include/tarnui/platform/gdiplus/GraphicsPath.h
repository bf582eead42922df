#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/FontFamily.h"
#include "tarnui/platform/gdiplus/StringFormat.h"

#include <string>
#include <vector>

namespace tarn::gp {

// A path of figures. Lines and arcs continue the open figure, joined by a straight line;
// ellipses, rectangles and strings are figures of their own. Angles are in degrees, clockwise
// from the positive x axis (y points down).
class TARN_API GraphicsPath {
public:
    struct Item {
        enum class Kind { Line, Arc, Ellipse, Rectangle, Text, Close, Start };
        explicit Item(Kind k) : kind(k) {}
        Kind kind;
        REAL v[6] = {};
        std::wstring text;
        FontFamily family;
        INT style = 0;
        StringFormat format;
    };

    explicit GraphicsPath(FillMode mode = FillModeAlternate) : m_fill(mode) {}

    Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2);
    Status AddLine(INT x1, INT y1, INT x2, INT y2)
    {
        return AddLine(static_cast<REAL>(x1), static_cast<REAL>(y1), static_cast<REAL>(x2), static_cast<REAL>(y2));
    }
    Status AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
    Status AddEllipse(REAL x, REAL y, REAL width, REAL height);
    Status AddRectangle(const RectF& rect);
    // The outlines of a text laid out in the box as DrawString would; em size in pixels.
    Status AddString(const wchar_t* text, INT length, const FontFamily* family, INT style, REAL emSize,
                     const RectF& layout, const StringFormat* format);
    Status StartFigure();
    Status CloseFigure();
    void Reset() { m_items.clear(); }

    // The tight box of the path's points (not of a pen's width); empty for an empty path.
    Status GetBounds(RectF* bounds) const;
    FillMode GetFillMode() const { return m_fill; }
    void SetFillMode(FillMode mode) { m_fill = mode; }
    const std::vector<Item>& Items() const { return m_items; }

private:
    std::vector<Item> m_items;
    FillMode m_fill;
};

} // namespace tarn::gp
