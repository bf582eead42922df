#include "tarnui/platform/gdi/StringPlacement.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/gdi/FontDescription.h"

namespace tarn {

namespace {

double Offset(gp::StringAlignment align, double box, double content)
{
    switch (align) {
    case gp::StringAlignmentCenter: return (box - content) / 2;
    case gp::StringAlignmentFar: return box - content;
    default: return 0;
    }
}

} // namespace

PlacedString PlaceString(const std::wstring& text, const gp::FontFamily& family, int style, double pixels,
                         const gp::RectF& box, const gp::StringFormat& format, bool antialias)
{
    std::wstring shown = text;
    const int flags = format.GetFormatFlags();
    // Trailing spaces take no room unless asked to, so they do not shift aligned text.
    if (!(flags & gp::StringFormatFlagsMeasureTrailingSpaces)) {
        while (!shown.empty() && shown.back() == L' ')
            shown.pop_back();
    }
    TextStyle s;
    PangoFontDescription* description = DescribeFont(family, style, pixels);
    s.font = description;
    s.underline = (style & gp::FontStyleUnderline) != 0;
    s.strikeout = (style & gp::FontStyleStrikeout) != 0;
    s.antialias = antialias;
    const double w = box.Width;
    const double h = box.Height;
    s.wrap = w > 0 && !(flags & gp::StringFormatFlagsNoWrap);
    switch (format.GetTrimming()) {
    case gp::StringTrimmingEllipsisCharacter:
    case gp::StringTrimmingEllipsisWord: s.ellipsize = w > 0 ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE; break;
    case gp::StringTrimmingEllipsisPath: s.ellipsize = w > 0 ? PANGO_ELLIPSIZE_MIDDLE : PANGO_ELLIPSIZE_NONE; break;
    default: break;
    }
    const bool boxed = s.wrap || s.ellipsize != PANGO_ELLIPSIZE_NONE;
    if (boxed) {
        s.width = w;
        s.height = h > 0 ? h : -1;
        s.align = format.GetAlignment() == gp::StringAlignmentCenter ? PANGO_ALIGN_CENTER
                  : format.GetAlignment() == gp::StringAlignmentFar  ? PANGO_ALIGN_RIGHT
                                                                     : PANGO_ALIGN_LEFT;
    }
    PlacedString placed;
    placed.layout = std::make_unique<TextLayout>(CString(shown).ToUtf8(), s);
    pango_font_description_free(description);
    placed.x = box.X + (boxed ? 0 : Offset(format.GetAlignment(), w, placed.layout->Width()));
    placed.y = box.Y + Offset(format.GetLineAlignment(), h, placed.layout->Height());
    placed.clip = !(flags & gp::StringFormatFlagsNoClip) && w > 0 && h > 0;
    return placed;
}

} // namespace tarn
