#include "tarnui/platform/gdiplus/Font.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/gdi/FontDescription.h"
#include "tarnui/platform/gdi/FontSystem.h"

#include <algorithm>

namespace tarn {

PangoFontDescription* DescribeFont(const gp::FontFamily& family, int style, double pixels)
{
    PangoFontDescription* d = pango_font_description_new();
    pango_font_description_set_family(d, CString(family.Name()).ToUtf8().c_str());
    pango_font_description_set_absolute_size(d, std::clamp(pixels, 1.0, 2000.0) * PANGO_SCALE);
    const int weight = (style & gp::FontStyleBold) ? std::max(700, family.FaceWeight()) : family.FaceWeight();
    pango_font_description_set_weight(d, static_cast<PangoWeight>(weight));
    const bool italic = (style & gp::FontStyleItalic) || family.FaceItalic();
    pango_font_description_set_style(d, italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return d;
}

} // namespace tarn

namespace tarn::gp {

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit) : m_size(emSize), m_style(style), m_unit(unit)
{
    if (family)
        m_family = *family;
    if (!family || !family->IsAvailable())
        m_status = FontFamilyNotFound;
    else if (!(emSize > 0) || (unit != UnitPixel && unit != UnitPoint && unit != UnitWorld && unit != UnitDisplay))
        m_status = InvalidParameter;
}

Font::Font(const wchar_t* familyName, REAL emSize, INT style, Unit unit) : Font(static_cast<const FontFamily*>(nullptr), emSize, style, unit)
{
    FontFamily family(familyName);
    m_family = family;
    m_status = family.IsAvailable() ? (emSize > 0 ? Ok : InvalidParameter) : FontFamilyNotFound;
}

Status Font::GetFamily(FontFamily* family) const
{
    if (!family)
        return InvalidParameter;
    *family = m_family;
    return m_status;
}

REAL Font::PixelSize() const
{
    return m_unit == UnitPoint ? m_size * 96.0f / 72.0f : m_size;
}

REAL Font::GetHeight(REAL dpi) const
{
    if (!IsAvailable())
        return 0;
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    PangoContext* context = system.Context();
    if (!context)
        return 0;
    PangoFontDescription* d = DescribeFont(m_family, m_style, PixelSize());
    PangoFontMetrics* metrics = pango_context_get_metrics(context, d, nullptr);
    const double height = pango_font_metrics_get_height(metrics) / static_cast<double>(PANGO_SCALE);
    pango_font_metrics_unref(metrics);
    pango_font_description_free(d);
    return static_cast<REAL>(height * (dpi > 0 ? dpi / 96.0 : 1.0));
}

} // namespace tarn::gp
