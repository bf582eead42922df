#pragma once

#include "tarnui/platform/CPoint.h"
#include "tarnui/platform/CSize.h"

#include <algorithm>

namespace tarn {

// A rectangle whose right and bottom edges are exclusive, as Windows rectangles are.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint origin, CSize size)
        : left(origin.x), top(origin.y), right(origin.x + size.cx), bottom(origin.y + size.cy) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    // Empty when it has no area, whatever its position.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { *this = CRect(); }
    constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void InflateRect(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }

    // False and an empty rectangle when the two do not overlap.
    constexpr bool IntersectRect(const CRect& a, const CRect& b)
    {
        *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top),
                      std::min(a.right, b.right), std::min(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // An empty operand does not widen the union.
    constexpr bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty()) *this = b;
        else if (b.IsRectEmpty()) *this = a;
        else *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                           std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }

    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};

} // namespace tarn
