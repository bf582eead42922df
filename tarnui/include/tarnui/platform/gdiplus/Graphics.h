#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdiplus/Brush.h"
#include "tarnui/platform/gdiplus/Font.h"
#include "tarnui/platform/gdiplus/GraphicsPath.h"
#include "tarnui/platform/gdiplus/Image.h"
#include "tarnui/platform/gdiplus/Pen.h"
#include "tarnui/platform/gdiplus/StringFormat.h"

#include <memory>

namespace tarn::gp {

// Drawing on a DC's surface (at its origin, within its clip) or on an image's active frame.
// Shapes are anti-aliased only with SmoothingModeAntiAlias or HighQuality; text is grayscale
// anti-aliased for every hint but the single-bit ones. Images are drawn with bilinear
// filtering, and a source rectangle never samples pixels outside itself.
class TARN_API Graphics {
public:
    explicit Graphics(HDC hdc);
    explicit Graphics(Image* image);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // WrongState when made on nothing that can be drawn on.
    Status GetLastStatus() const { return m_status; }

    Status SetSmoothingMode(SmoothingMode mode);
    SmoothingMode GetSmoothingMode() const { return m_smoothing; }
    Status SetTextRenderingHint(TextRenderingHint hint);
    TextRenderingHint GetTextRenderingHint() const { return m_hint; }
    Status SetInterpolationMode(InterpolationMode mode);
    Status TranslateTransform(REAL dx, REAL dy);
    Status ResetTransform();
    Status SetClip(const Rect& rect);
    Status ResetClip();

    Status Clear(const Color& color);
    Status DrawImage(Image* image, INT x, INT y);
    Status DrawImage(Image* image, const Rect& dest);
    Status DrawImage(Image* image, const RectF& dest);
    Status DrawImage(Image* image, const Rect& dest, INT sx, INT sy, INT sw, INT sh, Unit unit);
    Status DrawImage(Image* image, const RectF& dest, REAL sx, REAL sy, REAL sw, REAL sh, Unit unit);

    Status FillRectangle(const Brush* brush, const Rect& rect);
    Status FillRectangle(const Brush* brush, const RectF& rect);
    Status FillRectangle(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
    Status DrawRectangle(const Pen* pen, const RectF& rect);
    Status DrawLine(const Pen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
    Status FillEllipse(const Brush* brush, REAL x, REAL y, REAL width, REAL height);
    Status DrawEllipse(const Pen* pen, REAL x, REAL y, REAL width, REAL height);
    Status FillPath(const Brush* brush, const GraphicsPath* path);
    Status DrawPath(const Pen* pen, const GraphicsPath* path);

    // length -1 for a terminated text. A box of zero width or height does not wrap or clip in
    // that direction and aligns around its edge.
    Status DrawString(const wchar_t* text, INT length, const Font* font, const RectF& layout,
                      const StringFormat* format, const Brush* brush);
    Status DrawString(const wchar_t* text, INT length, const Font* font, const PointF& origin, const Brush* brush);
    Status MeasureString(const wchar_t* text, INT length, const Font* font, const RectF& layout,
                         const StringFormat* format, RectF* bounds) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    Status m_status = Ok;
    SmoothingMode m_smoothing = SmoothingModeDefault;
    TextRenderingHint m_hint = TextRenderingHintSystemDefault;
    InterpolationMode m_interpolation = InterpolationModeDefault;
};

} // namespace tarn::gp
