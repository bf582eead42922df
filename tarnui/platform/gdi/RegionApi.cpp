// Regions as lists of rectangles, with round rectangles cut row by row.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/GdiTable.h"

#include <cmath>

namespace tarn {

namespace {

std::shared_ptr<RegionObject> RegionOf(HRGN rgn)
{
    return GdiTable::Get().FindAs<RegionObject>(rgn, GdiKind::Region);
}

int Complexity(const RectRegion& region)
{
    if (region.IsEmpty())
        return NULLREGION;
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN NewRegion(RectRegion region)
{
    auto object = std::make_shared<RegionObject>();
    object->region = std::move(region);
    return static_cast<HRGN>(GdiTable::Get().Add(object));
}

RectRegion Intersection(const RectRegion& a, const RectRegion& b)
{
    RectRegion out;
    for (const RECT& r : b.Rects()) {
        RectRegion part = a;
        part.Intersect(r);
        out.Add(part);
    }
    return out;
}

RectRegion Difference(const RectRegion& a, const RectRegion& b)
{
    RectRegion out = a;
    for (const RECT& r : b.Rects())
        out.Subtract(r);
    return out;
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    RECT r(left, top, right, bottom);
    r.NormalizeRect();
    return NewRegion(RectRegion(r));
}

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height)
{
    RECT box(left, top, right, bottom);
    box.NormalizeRect();
    // Corners cannot be larger than the box; a corner of no size leaves the box square.
    const double rx = std::min(std::abs(width), box.Width()) / 2.0;
    const double ry = std::min(std::abs(height), box.Height()) / 2.0;
    if (rx <= 0 || ry <= 0)
        return NewRegion(RectRegion(box));
    RectRegion region;
    int runTop = box.top;
    int runInset = -1;
    auto insetAt = [&](int y) {
        const double yc = y + 0.5;
        double dy = 0;
        if (yc < box.top + ry)
            dy = box.top + ry - yc;
        else if (yc > box.bottom - ry)
            dy = yc - (box.bottom - ry);
        if (dy <= 0)
            return 0;
        const double t = std::min(1.0, dy / ry);
        return static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
    };
    for (int y = box.top; y <= box.bottom; ++y) {
        const int inset = y < box.bottom ? insetAt(y) : -2;
        if (inset != runInset) {
            if (runInset >= 0 && y > runTop)
                region.Add(RECT(box.left + runInset, runTop, box.right - runInset, y));
            runTop = y;
            runInset = inset;
        }
    }
    return NewRegion(std::move(region));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode)
{
    auto out = RegionOf(dst);
    auto ra = RegionOf(a);
    auto rb = mode == RGN_COPY ? ra : RegionOf(b);
    if (!out || !ra || !rb || mode < RGN_AND || mode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return RGN_ERROR;
    }
    RectRegion result;
    switch (mode) {
    case RGN_AND: result = Intersection(ra->region, rb->region); break;
    case RGN_OR: result = ra->region; result.Add(rb->region); break;
    case RGN_XOR: result = Difference(ra->region, rb->region); result.Add(Difference(rb->region, ra->region)); break;
    case RGN_DIFF: result = Difference(ra->region, rb->region); break;
    default: result = ra->region; break;
    }
    out->region = std::move(result);
    return Complexity(out->region);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    auto r = RegionOf(rgn);
    if (!r)
        return RGN_ERROR;
    r->region.Offset(dx, dy);
    return Complexity(r->region);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    auto r = RegionOf(rgn);
    return r && r->region.Contains(POINT(x, y)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* rect)
{
    auto r = RegionOf(rgn);
    if (!r || !rect)
        return RGN_ERROR;
    *rect = r->region.Bounds();
    return Complexity(r->region);
}

std::vector<RECT> GetRegionRects(HRGN rgn)
{
    auto r = RegionOf(rgn);
    return r ? r->region.Rects() : std::vector<RECT>();
}

int SelectClipRgn(HDC hdc, HRGN rgn)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc)
        return RGN_ERROR;
    auto& state = dc->Current();
    if (!rgn) {
        state.hasClip = false;
        state.clip.Clear();
        return SIMPLEREGION;
    }
    auto r = RegionOf(rgn);
    if (!r)
        return RGN_ERROR;
    state.hasClip = true;
    state.clip = r->region;
    return Complexity(state.clip);
}

} // namespace tarn
