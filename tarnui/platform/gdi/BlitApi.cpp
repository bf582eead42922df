// Copies between DCs, single pixels and solid fills.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/GdiTable.h"

#include <cstring>

namespace tarn {

namespace {

struct Source {
    cairo_surface_t* surface = nullptr;
    RECT rect; // on the surface
};

void SetColor(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The source rectangle of a copy on its surface, or false when the source DC has no surface.
bool SourceRect(DeviceContext& dc, int sx, int sy, int sw, int sh, Source* out)
{
    DeviceContext::Target t;
    if (!dc.Resolve(&t))
        return false;
    out->surface = t.surface;
    out->rect = RECT(sx + t.dx, sy + t.dy, sx + t.dx + sw, sy + t.dy + sh);
    return true;
}

RECT SurfaceBounds(cairo_surface_t* s)
{
    return RECT(0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
}

// Draws the source rectangle into (x, y, w, h) of the destination, mirrored when a size is
// negative. The source is cut out first, so a stretch never samples pixels beside it, and a
// copy within one surface reads the pixels as they were before it.
BOOL Compose(HDC hdc, int x, int y, int w, int h, Source src, cairo_operator_t op, double alpha, bool smooth,
             bool opaqueSource)
{
    auto dst = DeviceContext::From(hdc);
    if (!dst) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool flipX = false;
    bool flipY = false;
    // A negative extent runs back from its start pixel, which it includes.
    if (w < 0) { x += w + 1; w = -w; flipX = !flipX; }
    if (h < 0) { y += h + 1; h = -h; flipY = !flipY; }
    if (src.rect.Width() < 0) { src.rect = RECT(src.rect.right + 1, src.rect.top, src.rect.left + 1, src.rect.bottom); flipX = !flipX; }
    if (src.rect.Height() < 0) { src.rect = RECT(src.rect.left, src.rect.bottom + 1, src.rect.right, src.rect.top + 1); flipY = !flipY; }
    if (w == 0 || h == 0 || src.rect.IsRectEmpty())
        return TRUE;
    cairo_t* cr = dst->Begin();
    if (!cr)
        return TRUE;
    cairo_surface_flush(src.surface);
    const int sw = src.rect.Width();
    const int sh = src.rect.Height();
    // A private copy of the source pixels: a view of them when the source is to count as
    // opaque, a copy when the source is the destination surface.
    cairo_surface_t* piece = nullptr;
    cairo_surface_t* target = cairo_get_target(cr);
    if (opaqueSource || src.surface == target) {
        piece = cairo_image_surface_create(opaqueSource ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, sw, sh);
        cairo_t* copy = cairo_create(piece);
        cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(copy, src.surface, -src.rect.left, -src.rect.top);
        cairo_paint(copy);
        cairo_destroy(copy);
    } else {
        piece = cairo_surface_create_for_rectangle(src.surface, src.rect.left, src.rect.top, sw, sh);
    }
    cairo_translate(cr, flipX ? x + w : x, flipY ? y + h : y);
    cairo_scale(cr, (flipX ? -1.0 : 1.0) * w / sw, (flipY ? -1.0 : 1.0) * h / sh);
    cairo_set_source_surface(cr, piece, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    const bool scaled = w != sw || h != sh;
    cairo_pattern_set_filter(pattern, scaled && smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, op);
    cairo_rectangle(cr, 0, 0, sw, sh);
    if (alpha >= 1.0) {
        cairo_fill(cr);
    } else {
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(piece);
    return TRUE;
}

BOOL FillWith(HDC hdc, int x, int y, int w, int h, COLORREF color)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc)
        return FALSE;
    if (cairo_t* cr = dc->Begin()) {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        SetColor(cr, color);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        cairo_destroy(cr);
    }
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop)
{
    if (rop == BLACKNESS || rop == WHITENESS)
        return FillWith(dst, x, y, width, height, rop == BLACKNESS ? RGB(0, 0, 0) : RGB(255, 255, 255));
    if (rop == PATCOPY) {
        auto dc = DeviceContext::From(dst);
        if (!dc)
            return FALSE;
        auto brush = dc->Current().brush;
        return brush && !brush->null ? FillWith(dst, x, y, width, height, brush->color) : TRUE;
    }
    if (rop != SRCCOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto source = DeviceContext::From(src);
    Source s;
    if (!source || !SourceRect(*source, sx, sy, width, height, &s)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Only the part of the source rectangle on its surface is copied, to the same place.
    RECT on;
    if (width <= 0 || height <= 0 || !on.IntersectRect(s.rect, SurfaceBounds(s.surface)))
        return TRUE;
    const int ox = on.left - s.rect.left;
    const int oy = on.top - s.rect.top;
    s.rect = on;
    return Compose(dst, x + ox, y + oy, on.Width(), on.Height(), s, CAIRO_OPERATOR_SOURCE, 1.0, false, false);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh, DWORD rop)
{
    if (rop != SRCCOPY)
        return BitBlt(dst, x, y, width, height, src, sx, sy, rop);
    auto source = DeviceContext::From(src);
    auto target = DeviceContext::From(dst);
    Source s;
    if (!source || !target || !SourceRect(*source, sx, sy, sw, sh, &s)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT normal = s.rect;
    if (normal.Width() < 0)
        normal = RECT(normal.right + 1, normal.top, normal.left + 1, normal.bottom);
    if (normal.Height() < 0)
        normal = RECT(normal.left, normal.bottom + 1, normal.right, normal.top + 1);
    RECT on;
    if (!on.IntersectRect(normal, SurfaceBounds(s.surface)) || on != normal) {
        // A source that leaves its surface has no defined pixels to stretch.
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool smooth = target->Current().stretchMode == HALFTONE;
    return Compose(dst, x, y, width, height, s, CAIRO_OPERATOR_SOURCE, 1.0, smooth, false);
}

BOOL GdiAlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                   BLENDFUNCTION blend)
{
    auto source = DeviceContext::From(src);
    Source s;
    if (!source || !DeviceContext::From(dst) || blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || sw < 0 ||
        sh < 0 || !SourceRect(*source, sx, sy, sw, sh, &s)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT on;
    if (sw > 0 && sh > 0 && (!on.IntersectRect(s.rect, SurfaceBounds(s.surface)) || on != s.rect)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (blend.SourceConstantAlpha == 0)
        return TRUE;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    return Compose(dst, x, y, width, height, s, CAIRO_OPERATOR_OVER, blend.SourceConstantAlpha / 255.0, true,
                   !perPixel);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    auto dc = DeviceContext::From(hdc);
    DeviceContext::Target t;
    if (!dc || !dc->Resolve(&t) || !t.area.Contains(POINT(x, y)))
        return CLR_INVALID;
    const int px = x + t.dx;
    const int py = y + t.dy;
    if (!SurfaceBounds(t.surface).PtInRect(POINT(px, py)))
        return CLR_INVALID;
    cairo_surface_flush(t.surface);
    const unsigned char* row = cairo_image_surface_get_data(t.surface) +
                               static_cast<ptrdiff_t>(py) * cairo_image_surface_get_stride(t.surface);
    uint32_t argb;
    std::memcpy(&argb, row + static_cast<ptrdiff_t>(px) * 4, 4);
    return RGB(static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    auto dc = DeviceContext::From(hdc);
    DeviceContext::Target t;
    if (!dc || !dc->Resolve(&t) || !t.area.Contains(POINT(x, y)))
        return CLR_INVALID;
    FillWith(hdc, x, y, 1, 1, color);
    return color & 0xFFFFFF;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH hbrush)
{
    auto brush = GdiTable::Get().FindAs<BrushObject>(hbrush, GdiKind::Brush);
    if (!rect || !brush || !DeviceContext::From(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!brush->null)
        FillWith(hdc, rect->left, rect->top, rect->Width(), rect->Height(), brush->color);
    return 1;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbrush)
{
    auto brush = GdiTable::Get().FindAs<BrushObject>(hbrush, GdiKind::Brush);
    auto region = GdiTable::Get().FindAs<RegionObject>(hrgn, GdiKind::Region);
    if (!brush || !region || !DeviceContext::From(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!brush->null) {
        for (const RECT& r : region->region.Rects())
            FillWith(hdc, r.left, r.top, r.Width(), r.Height(), brush->color);
    }
    return TRUE;
}

} // namespace tarn
