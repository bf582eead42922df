#include "tarnui/platform/RectRegion.h"

namespace tarn {

namespace {

// The parts of r outside cut: up to four bands, top, bottom, left, right.
void PushDifference(const CRect& r, const CRect& cut, std::vector<CRect>& out)
{
    CRect overlap;
    if (!overlap.IntersectRect(r, cut)) {
        out.push_back(r);
        return;
    }
    if (r.top < overlap.top)
        out.emplace_back(r.left, r.top, r.right, overlap.top);
    if (overlap.bottom < r.bottom)
        out.emplace_back(r.left, overlap.bottom, r.right, r.bottom);
    if (r.left < overlap.left)
        out.emplace_back(r.left, overlap.top, overlap.left, overlap.bottom);
    if (overlap.right < r.right)
        out.emplace_back(overlap.right, overlap.top, r.right, overlap.bottom);
}

} // namespace

void RectRegion::Add(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    // Only the part not yet covered is stored, so the rectangles never overlap.
    std::vector<CRect> pieces{rect};
    for (const auto& existing : m_rects) {
        std::vector<CRect> rest;
        for (const auto& p : pieces)
            PushDifference(p, existing, rest);
        pieces.swap(rest);
        if (pieces.empty())
            return;
    }
    m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void RectRegion::Add(const RectRegion& other)
{
    for (const auto& r : other.m_rects)
        Add(r);
}

void RectRegion::Subtract(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    std::vector<CRect> rest;
    for (const auto& r : m_rects)
        PushDifference(r, rect, rest);
    m_rects.swap(rest);
}

void RectRegion::Intersect(const CRect& rect)
{
    std::vector<CRect> kept;
    for (const auto& r : m_rects) {
        CRect overlap;
        if (overlap.IntersectRect(r, rect))
            kept.push_back(overlap);
    }
    m_rects.swap(kept);
}

void RectRegion::Offset(int dx, int dy)
{
    for (auto& r : m_rects)
        r.OffsetRect(dx, dy);
}

bool RectRegion::Contains(CPoint p) const
{
    for (const auto& r : m_rects) {
        if (r.PtInRect(p))
            return true;
    }
    return false;
}

CRect RectRegion::Bounds() const
{
    CRect bounds;
    for (const auto& r : m_rects)
        bounds.UnionRect(bounds, r);
    return bounds;
}

long long RectRegion::Area() const
{
    long long area = 0;
    for (const auto& r : m_rects)
        area += static_cast<long long>(r.Width()) * r.Height();
    return area;
}

} // namespace tarn
