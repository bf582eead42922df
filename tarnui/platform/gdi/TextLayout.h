#pragma once

#include <pango/pangocairo.h>

#include <string>
#include <utility>
#include <vector>

namespace tarn {

// How a text is laid out: width and height in pixels (negative for none), wrapping,
// ellipsizing and alignment inside the width.
struct TextStyle {
    const PangoFontDescription* font = nullptr;
    bool underline = false;
    bool strikeout = false;
    double width = -1;
    double height = -1;
    bool wrap = false;
    PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
    PangoAlignment align = PANGO_ALIGN_LEFT;
    bool antialias = true;
    // Byte ranges [first, second) of characters to underline (mnemonic prefixes).
    std::vector<std::pair<unsigned, unsigned>> underlineRanges;
};

// One Pango layout over the shared context. Hold FontSystem::Lock() for its whole life.
class TextLayout {
public:
    TextLayout(const std::string& utf8, const TextStyle& style);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    bool IsValid() const { return m_layout != nullptr; }
    // The logical box of the laid-out text, in pixels.
    double Width() const;
    double Height() const;
    // The ink box, relative to the layout's top-left.
    void Ink(double* x, double* y, double* w, double* h) const;
    int LineCount() const;
    bool IsEllipsized() const;

    void Show(cairo_t* cr, double x, double y) const;
    void AppendPath(cairo_t* cr, double x, double y) const;

private:
    PangoLayout* m_layout = nullptr;
};

} // namespace tarn
