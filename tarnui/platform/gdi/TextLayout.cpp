#include "tarnui/platform/gdi/TextLayout.h"

#include "tarnui/platform/gdi/FontSystem.h"

#include <cmath>

namespace tarn {

namespace {

const cairo_font_options_t* Options(bool antialias)
{
    // Grayscale anti-aliasing stands in for sub-pixel modes: sub-pixel colour fringes are wrong
    // on translucent surfaces, and gray keeps results the same on every machine.
    static cairo_font_options_t* gray = [] {
        auto* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
        return o;
    }();
    static cairo_font_options_t* mono = [] {
        auto* o = cairo_font_options_create();
        cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_NONE);
        cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
        cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_FULL);
        return o;
    }();
    return antialias ? gray : mono;
}

int Units(double px)
{
    return static_cast<int>(std::lround(px * PANGO_SCALE));
}

} // namespace

TextLayout::TextLayout(const std::string& utf8, const TextStyle& style)
{
    PangoContext* context = FontSystem::Get().Context();
    if (!context || !style.font)
        return;
    pango_cairo_context_set_font_options(context, Options(style.antialias));
    m_layout = pango_layout_new(context);
    pango_layout_set_text(m_layout, utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_set_font_description(m_layout, style.font);
    if (style.underline || style.strikeout || !style.underlineRanges.empty()) {
        PangoAttrList* attrs = pango_attr_list_new();
        if (style.underline)
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (style.strikeout)
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        for (const auto& [first, last] : style.underlineRanges) {
            auto* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
            a->start_index = first;
            a->end_index = last;
            pango_attr_list_insert(attrs, a);
        }
        pango_layout_set_attributes(m_layout, attrs);
        pango_attr_list_unref(attrs);
    }
    if (style.width >= 0) {
        pango_layout_set_width(m_layout, Units(style.width));
        pango_layout_set_wrap(m_layout, PANGO_WRAP_WORD_CHAR);
        if (!style.wrap && style.ellipsize == PANGO_ELLIPSIZE_NONE)
            pango_layout_set_width(m_layout, -1);
    }
    if (style.ellipsize != PANGO_ELLIPSIZE_NONE && style.width >= 0) {
        pango_layout_set_ellipsize(m_layout, style.ellipsize);
        // Without wrapping the text is one line; with it, lines past the height are cut.
        pango_layout_set_height(m_layout, style.wrap && style.height >= 0 ? Units(style.height) : -1);
    }
    pango_layout_set_alignment(m_layout, style.align);
}

TextLayout::~TextLayout()
{
    if (m_layout)
        g_object_unref(m_layout);
}

double TextLayout::Width() const
{
    if (!m_layout)
        return 0;
    PangoRectangle logical;
    pango_layout_get_extents(m_layout, nullptr, &logical);
    return static_cast<double>(logical.x + logical.width) / PANGO_SCALE;
}

double TextLayout::Height() const
{
    if (!m_layout)
        return 0;
    PangoRectangle logical;
    pango_layout_get_extents(m_layout, nullptr, &logical);
    return static_cast<double>(logical.height) / PANGO_SCALE;
}

void TextLayout::Ink(double* x, double* y, double* w, double* h) const
{
    PangoRectangle ink{};
    if (m_layout)
        pango_layout_get_extents(m_layout, &ink, nullptr);
    *x = static_cast<double>(ink.x) / PANGO_SCALE;
    *y = static_cast<double>(ink.y) / PANGO_SCALE;
    *w = static_cast<double>(ink.width) / PANGO_SCALE;
    *h = static_cast<double>(ink.height) / PANGO_SCALE;
}

int TextLayout::LineCount() const
{
    return m_layout ? pango_layout_get_line_count(m_layout) : 0;
}

bool TextLayout::IsEllipsized() const
{
    return m_layout && pango_layout_is_ellipsized(m_layout);
}

void TextLayout::Show(cairo_t* cr, double x, double y) const
{
    if (!m_layout)
        return;
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, m_layout);
}

void TextLayout::AppendPath(cairo_t* cr, double x, double y) const
{
    if (!m_layout)
        return;
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, m_layout);
}

} // namespace tarn
