#include "tarnui/platform/gdiplus/Graphics.h"

#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/FontSystem.h"
#include "tarnui/platform/gdi/ImageData.h"
#include "tarnui/platform/gdi/PathReplay.h"
#include "tarnui/platform/gdi/StringPlacement.h"
#include "tarnui/platform/gdiplus/TextureBrush.h"

#include <cmath>

namespace tarn::gp {

struct Graphics::Impl {
    cairo_t* cr = nullptr;
    double tx = 0;
    double ty = 0;
    bool clip = false;
    Rect clipRect;

    // Back to the state the Graphics was made with, then this object's transform and clip.
    void Apply()
    {
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, tx, ty);
        if (clip) {
            cairo_rectangle(cr, clipRect.X, clipRect.Y, clipRect.Width, clipRect.Height);
            cairo_clip(cr);
        }
    }
};

namespace {

void SetColor(cairo_t* cr, const Color& c)
{
    cairo_set_source_rgba(cr, c.GetR() / 255.0, c.GetG() / 255.0, c.GetB() / 255.0, c.GetA() / 255.0);
}

bool SetBrush(cairo_t* cr, const Brush* brush)
{
    if (!brush)
        return false;
    if (brush->GetType() == BrushType::Solid) {
        SetColor(cr, static_cast<const SolidBrush*>(brush)->GetColor());
        return true;
    }
    const auto* texture = static_cast<const TextureBrush*>(brush);
    if (!texture->IsValid())
        return false;
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(texture->Data()->Frame(texture->Frame()));
    switch (texture->GetWrapMode()) {
    case WrapModeClamp: cairo_pattern_set_extend(pattern, CAIRO_EXTEND_NONE); break;
    case WrapModeTile: cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT); break;
    default: cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REFLECT); break;
    }
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
    return true;
}

bool SetPen(cairo_t* cr, const Pen* pen)
{
    if (!pen)
        return false;
    SetColor(cr, pen->GetColor());
    const double w = pen->GetWidth();
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    static constexpr double kDash[] = {3, 1};
    static constexpr double kDot[] = {1, 1};
    static constexpr double kDashDot[] = {3, 1, 1, 1};
    static constexpr double kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    const double* unit = nullptr;
    int n = 0;
    switch (pen->GetDashStyle()) {
    case DashStyleDash: unit = kDash; n = 2; break;
    case DashStyleDot: unit = kDot; n = 2; break;
    case DashStyleDashDot: unit = kDashDot; n = 4; break;
    case DashStyleDashDotDot: unit = kDashDotDot; n = 6; break;
    default: break;
    }
    double dashes[6];
    for (int i = 0; i < n; ++i)
        dashes[i] = unit[i] * w;
    cairo_set_dash(cr, dashes, n, 0);
    return true;
}

} // namespace

Graphics::Graphics(HDC hdc) : m_impl(std::make_unique<Impl>())
{
    auto dc = DeviceContext::From(hdc);
    m_impl->cr = dc ? dc->Begin() : nullptr;
    if (!m_impl->cr)
        m_status = dc ? WrongState : InvalidParameter;
    else
        cairo_save(m_impl->cr);
    SetSmoothingMode(SmoothingModeDefault);
}

Graphics::Graphics(Image* image) : m_impl(std::make_unique<Impl>())
{
    cairo_surface_t* frame = image ? image->Data()->Frame(image->GetActiveFrame()) : nullptr;
    if (!frame || image->GetWidth() == 0) {
        m_status = InvalidParameter;
    } else {
        m_impl->cr = cairo_create(frame);
        cairo_save(m_impl->cr);
    }
    SetSmoothingMode(SmoothingModeDefault);
}

Graphics::~Graphics()
{
    if (m_impl->cr) {
        cairo_surface_flush(cairo_get_target(m_impl->cr));
        cairo_destroy(m_impl->cr);
    }
}

Status Graphics::SetSmoothingMode(SmoothingMode mode)
{
    m_smoothing = mode;
    if (!m_impl->cr)
        return WrongState;
    const bool smooth = mode == SmoothingModeAntiAlias || mode == SmoothingModeHighQuality;
    cairo_set_antialias(m_impl->cr, smooth ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    return Ok;
}

Status Graphics::SetTextRenderingHint(TextRenderingHint hint)
{
    if (hint < TextRenderingHintSystemDefault || hint > TextRenderingHintClearTypeGridFit)
        return InvalidParameter;
    m_hint = hint;
    return Ok;
}

Status Graphics::SetInterpolationMode(InterpolationMode mode)
{
    m_interpolation = mode;
    return Ok;
}

Status Graphics::TranslateTransform(REAL dx, REAL dy)
{
    if (!m_impl->cr)
        return WrongState;
    m_impl->tx += dx;
    m_impl->ty += dy;
    cairo_translate(m_impl->cr, dx, dy);
    return Ok;
}

Status Graphics::ResetTransform()
{
    if (!m_impl->cr)
        return WrongState;
    m_impl->tx = m_impl->ty = 0;
    m_impl->Apply();
    SetSmoothingMode(m_smoothing);
    return Ok;
}

Status Graphics::SetClip(const Rect& rect)
{
    if (!m_impl->cr)
        return WrongState;
    m_impl->clip = true;
    m_impl->clipRect = rect;
    m_impl->Apply();
    SetSmoothingMode(m_smoothing);
    return Ok;
}

Status Graphics::ResetClip()
{
    if (!m_impl->cr)
        return WrongState;
    m_impl->clip = false;
    m_impl->Apply();
    SetSmoothingMode(m_smoothing);
    return Ok;
}

Status Graphics::Clear(const Color& color)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColor(cr, color);
    cairo_paint(cr);
    cairo_restore(cr);
    return Ok;
}

Status Graphics::DrawImage(Image* image, INT x, INT y)
{
    if (!image)
        return InvalidParameter;
    const auto w = static_cast<INT>(image->GetWidth());
    const auto h = static_cast<INT>(image->GetHeight());
    return DrawImage(image, Rect{x, y, w, h}, 0, 0, w, h, UnitPixel);
}

Status Graphics::DrawImage(Image* image, const Rect& dest)
{
    if (!image)
        return InvalidParameter;
    return DrawImage(image, dest, 0, 0, static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()),
                     UnitPixel);
}

Status Graphics::DrawImage(Image* image, const RectF& dest)
{
    if (!image)
        return InvalidParameter;
    return DrawImage(image, dest, 0, 0, static_cast<REAL>(image->GetWidth()), static_cast<REAL>(image->GetHeight()),
                     UnitPixel);
}

Status Graphics::DrawImage(Image* image, const Rect& dest, INT sx, INT sy, INT sw, INT sh, Unit unit)
{
    return DrawImage(image, RectF(dest), static_cast<REAL>(sx), static_cast<REAL>(sy), static_cast<REAL>(sw),
                     static_cast<REAL>(sh), unit);
}

Status Graphics::DrawImage(Image* image, const RectF& dest, REAL sx, REAL sy, REAL sw, REAL sh, Unit unit)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!image || unit != UnitPixel || !(sw > 0) || !(sh > 0))
        return InvalidParameter;
    if (dest.Width == 0 || dest.Height == 0)
        return Ok;
    cairo_surface_t* frame = image->Data()->Frame(image->GetActiveFrame());
    // The source is whole pixels inside the picture; what lies outside it is not drawn.
    const int iw = static_cast<int>(image->GetWidth());
    const int ih = static_cast<int>(image->GetHeight());
    const int x0 = std::max(0, static_cast<int>(std::lround(sx)));
    const int y0 = std::max(0, static_cast<int>(std::lround(sy)));
    const int x1 = std::min(iw, static_cast<int>(std::lround(sx + sw)));
    const int y1 = std::min(ih, static_cast<int>(std::lround(sy + sh)));
    if (x1 <= x0 || y1 <= y0)
        return Ok;
    const double scaleX = dest.Width / sw;
    const double scaleY = dest.Height / sh;
    const double dx = dest.X + (x0 - static_cast<double>(sx)) * scaleX;
    const double dy = dest.Y + (y0 - static_cast<double>(sy)) * scaleY;
    const int pw = x1 - x0;
    const int ph = y1 - y0;
    const bool exact = scaleX == 1.0 && scaleY == 1.0 && dx == std::floor(dx) && dy == std::floor(dy);
    if (exact) {
        cairo_set_source_surface(cr, frame, dx - x0, dy - y0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_rectangle(cr, dx, dy, pw, ph);
        cairo_fill(cr);
        return Ok;
    }
    // A cut-out padded at its edges: stretching samples only the frame's own pixels.
    cairo_surface_t* piece = cairo_surface_create_for_rectangle(frame, x0, y0, pw, ph);
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    cairo_scale(cr, scaleX, scaleY);
    cairo_set_source_surface(cr, piece, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, m_interpolation == InterpolationModeNearestNeighbor ? CAIRO_FILTER_NEAREST
                                                                                          : CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, pw, ph);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(piece);
    return Ok;
}

Status Graphics::FillRectangle(const Brush* brush, const Rect& rect)
{
    return FillRectangle(brush, RectF(rect));
}

Status Graphics::FillRectangle(const Brush* brush, const RectF& rect)
{
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status Graphics::FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!SetBrush(cr, brush))
        return InvalidParameter;
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
    return Ok;
}

Status Graphics::DrawRectangle(const Pen* pen, const RectF& rect)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!SetPen(cr, pen))
        return InvalidParameter;
    cairo_rectangle(cr, rect.X, rect.Y, rect.Width, rect.Height);
    cairo_stroke(cr);
    return Ok;
}

Status Graphics::DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!SetPen(cr, pen))
        return InvalidParameter;
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_stroke(cr);
    return Ok;
}

Status Graphics::FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!SetBrush(cr, brush))
        return InvalidParameter;
    cairo_new_path(cr);
    AppendArc(cr, x, y, width, height, 0, 360);
    cairo_close_path(cr);
    cairo_fill(cr);
    return Ok;
}

Status Graphics::DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!SetPen(cr, pen))
        return InvalidParameter;
    cairo_new_path(cr);
    AppendArc(cr, x, y, width, height, 0, 360);
    cairo_close_path(cr);
    cairo_stroke(cr);
    return Ok;
}

Status Graphics::FillPath(const Brush* brush, const GraphicsPath* path)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!path || !SetBrush(cr, brush))
        return InvalidParameter;
    cairo_new_path(cr);
    AppendPath(cr, *path);
    cairo_set_fill_rule(cr, path->GetFillMode() == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    return Ok;
}

Status Graphics::DrawPath(const Pen* pen, const GraphicsPath* path)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!path || !SetPen(cr, pen))
        return InvalidParameter;
    cairo_new_path(cr);
    AppendPath(cr, *path);
    cairo_stroke(cr);
    return Ok;
}

Status Graphics::DrawString(const wchar_t* text, INT length, const Font* font, const RectF& layout,
                            const StringFormat* format, const Brush* brush)
{
    cairo_t* cr = m_impl->cr;
    if (!cr)
        return WrongState;
    if (!text || !font || !brush)
        return InvalidParameter;
    // No family, no text.
    if (!font->IsAvailable())
        return font->GetLastStatus();
    const std::wstring wide = length < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(length));
    const bool antialias = m_hint != TextRenderingHintSingleBitPerPixel && m_hint != TextRenderingHintSingleBitPerPixelGridFit;
    auto lock = FontSystem::Get().Lock();
    PlacedString placed = PlaceString(wide, font->Family(), font->GetStyle(), font->PixelSize(), layout,
                                      format ? *format : StringFormat(), antialias);
    cairo_save(cr);
    if (placed.clip) {
        cairo_rectangle(cr, layout.X, layout.Y, layout.Width, layout.Height);
        cairo_clip(cr);
    }
    if (SetBrush(cr, brush))
        placed.layout->Show(cr, placed.x, placed.y);
    cairo_restore(cr);
    return Ok;
}

Status Graphics::DrawString(const wchar_t* text, INT length, const Font* font, const PointF& origin, const Brush* brush)
{
    return DrawString(text, length, font, RectF(origin.X, origin.Y, 0, 0), nullptr, brush);
}

Status Graphics::MeasureString(const wchar_t* text, INT length, const Font* font, const RectF& layout,
                               const StringFormat* format, RectF* bounds) const
{
    if (!text || !font || !bounds)
        return InvalidParameter;
    if (!font->IsAvailable())
        return font->GetLastStatus();
    const std::wstring wide = length < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(length));
    auto lock = FontSystem::Get().Lock();
    PlacedString placed = PlaceString(wide, font->Family(), font->GetStyle(), font->PixelSize(), layout,
                                      format ? *format : StringFormat(), true);
    *bounds = RectF(static_cast<REAL>(placed.x), static_cast<REAL>(placed.y), static_cast<REAL>(placed.layout->Width()),
                    static_cast<REAL>(placed.layout->Height()));
    return Ok;
}

} // namespace tarn::gp
