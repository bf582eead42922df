#pragma once

#include "tarnui/platform/CRect.h"
#include "tarnui/platform/Export.h"

#include <vector>

namespace tarn {

// An area as a list of non-overlapping rectangles: update regions, and later clip and window
// regions. Empty rectangles are never stored.
class TARN_API RectRegion {
public:
    RectRegion() = default;
    explicit RectRegion(const CRect& rect) { Add(rect); }

    void Add(const CRect& rect);
    void Add(const RectRegion& other);
    void Subtract(const CRect& rect);
    void Intersect(const CRect& rect);
    void Offset(int dx, int dy);
    void Clear() { m_rects.clear(); }

    bool IsEmpty() const { return m_rects.empty(); }
    bool Contains(CPoint p) const;
    // The smallest rectangle holding the whole area; empty for an empty region.
    CRect Bounds() const;
    long long Area() const;
    const std::vector<CRect>& Rects() const { return m_rects; }

private:
    std::vector<CRect> m_rects;
};

} // namespace tarn
