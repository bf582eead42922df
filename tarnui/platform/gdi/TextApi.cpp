// GDI text: ExtTextOut, TextOut, extents and DrawText, laid out by Pango in the DC's font.
#include "tarnui/platform/CString.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/FontSystem.h"
#include "tarnui/platform/gdi/TextLayout.h"

#include <cmath>
#include <cwchar>

namespace tarn {

namespace {

std::wstring TextOf(const wchar_t* text, int count)
{
    if (!text)
        return {};
    return count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
}

std::string Utf8(std::wstring_view text)
{
    return CString(text).ToUtf8();
}

TextStyle StyleOf(DeviceContext& dc)
{
    TextStyle style;
    if (auto font = dc.Current().font) {
        style.font = font->description;
        style.underline = font->logFont.lfUnderline != 0;
        style.strikeout = font->logFont.lfStrikeOut != 0;
        // NONANTIALIASED_QUALITY
        style.antialias = font->logFont.lfQuality != 3;
    }
    return style;
}

void SetColor(cairo_t* cr, COLORREF c)
{
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

void Draw(DeviceContext& dc, cairo_t* cr, const TextLayout& layout, double x, double y)
{
    const auto& state = dc.Current();
    if (state.bkMode == OPAQUE) {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        SetColor(cr, state.bk);
        cairo_rectangle(cr, x, y, std::ceil(layout.Width()), std::ceil(layout.Height()));
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    SetColor(cr, state.text);
    layout.Show(cr, x, y);
}

// Removes mnemonic prefixes: "&&" is one ampersand, "&x" underlines x.
std::wstring StripPrefixes(const std::wstring& text, bool hide, std::vector<size_t>* marked)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != L'&' && !hide)
                marked->push_back(out.size());
        } else if (text[i] == L'&') {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const wchar_t* text, UINT count,
                 const int* dx)
{
    auto dc = DeviceContext::From(hdc);
    // Glyph advances come from the font; explicit ones are not supported.
    if (!dc || dx || ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !rect)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    cairo_t* cr = dc->Begin();
    if (!cr)
        return TRUE;
    if (options & ETO_OPAQUE) {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        SetColor(cr, dc->Current().bk);
        cairo_rectangle(cr, rect->left, rect->top, rect->Width(), rect->Height());
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    if (options & ETO_CLIPPED) {
        cairo_rectangle(cr, rect->left, rect->top, rect->Width(), rect->Height());
        cairo_clip(cr);
    }
    if (text && count > 0) {
        auto lock = FontSystem::Get().Lock();
        TextLayout layout(Utf8(std::wstring_view(text, count)), StyleOf(*dc));
        Draw(*dc, cr, layout, x, y);
    }
    cairo_destroy(cr);
    return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, const wchar_t* text, int count)
{
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutW(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32W(HDC hdc, const wchar_t* text, int count, SIZE* size)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc || !size || count < 0 || (!text && count > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = FontSystem::Get().Lock();
    TextStyle style = StyleOf(*dc);
    // The height of an empty text is still one line.
    TextLayout layout(count > 0 ? Utf8(std::wstring_view(text, static_cast<size_t>(count))) : std::string(), style);
    size->cx = count > 0 ? static_cast<int>(std::ceil(layout.Width())) : 0;
    size->cy = static_cast<int>(std::ceil(layout.Height()));
    return TRUE;
}

int DrawTextW(HDC hdc, const wchar_t* text, int count, RECT* rect, UINT format)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc || !rect || (!text && count != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::wstring wide = TextOf(text, count);
    const bool single = (format & DT_SINGLELINE) != 0;
    if (single) {
        for (auto& c : wide)
            if (c == L'\r' || c == L'\n')
                c = L' ';
    }
    std::vector<size_t> marked;
    if (!(format & DT_NOPREFIX))
        wide = StripPrefixes(wide, (format & DT_HIDEPREFIX) != 0, &marked);

    auto lock = FontSystem::Get().Lock();
    TextStyle style = StyleOf(*dc);
    const std::string utf8 = Utf8(wide);
    for (size_t at : marked) {
        const auto first = static_cast<unsigned>(Utf8(std::wstring_view(wide).substr(0, at)).size());
        const auto last = static_cast<unsigned>(Utf8(std::wstring_view(wide).substr(0, at + 1)).size());
        style.underlineRanges.emplace_back(first, last);
    }
    const int boxWidth = std::max(0, rect->Width());
    const int boxHeight = std::max(0, rect->Height());
    style.wrap = (format & DT_WORDBREAK) && !single;
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        style.ellipsize = PANGO_ELLIPSIZE_END;
    else if (format & DT_PATH_ELLIPSIS)
        style.ellipsize = PANGO_ELLIPSIZE_MIDDLE;
    if ((format & DT_CALCRECT) && !style.wrap)
        style.ellipsize = PANGO_ELLIPSIZE_NONE;
    const bool boxed = style.wrap || style.ellipsize != PANGO_ELLIPSIZE_NONE;
    if (boxed) {
        style.width = boxWidth;
        style.height = boxHeight;
    }
    style.align = (format & DT_CENTER) ? PANGO_ALIGN_CENTER : (format & DT_RIGHT) ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
    TextLayout layout(utf8, style);
    const double width = layout.Width();
    const double height = layout.Height();

    if (format & DT_CALCRECT) {
        rect->right = rect->left + static_cast<int>(std::ceil(boxed ? std::min<double>(width, boxWidth) : width));
        rect->bottom = rect->top + static_cast<int>(std::ceil(height));
        return static_cast<int>(std::ceil(height));
    }
    double x = rect->left;
    if (!boxed) {
        if (format & DT_CENTER)
            x += std::floor((boxWidth - width) / 2);
        else if (format & DT_RIGHT)
            x = rect->right - width;
    }
    double y = rect->top;
    int answer = static_cast<int>(std::ceil(height));
    // Vertical placement applies to single lines only, as in GDI.
    if (single && (format & DT_VCENTER))
        y += std::floor((boxHeight - height) / 2);
    else if (single && (format & DT_BOTTOM))
        y = rect->bottom - height;
    if (single && (format & (DT_VCENTER | DT_BOTTOM)))
        answer = static_cast<int>(std::ceil(y + height)) - rect->top;

    if (cairo_t* cr = dc->Begin()) {
        if (!(format & DT_NOCLIP)) {
            cairo_rectangle(cr, rect->left, rect->top, boxWidth, boxHeight);
            cairo_clip(cr);
        }
        Draw(*dc, cr, layout, x, y);
        cairo_destroy(cr);
    }
    return answer;
}

} // namespace tarn
