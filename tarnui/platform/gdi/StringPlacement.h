#pragma once

#include "tarnui/platform/gdi/TextLayout.h"
#include "tarnui/platform/gdiplus/FontFamily.h"
#include "tarnui/platform/gdiplus/StringFormat.h"

#include <memory>
#include <string>

namespace tarn {

// A GDI+ string laid out in its box: the layout, where its top-left goes, and whether it is cut
// at the box. Needs FontSystem::Lock().
struct PlacedString {
    std::unique_ptr<TextLayout> layout;
    double x = 0;
    double y = 0;
    bool clip = false;
};

PlacedString PlaceString(const std::wstring& text, const gp::FontFamily& family, int style, double pixels,
                         const gp::RectF& box, const gp::StringFormat& format, bool antialias);

} // namespace tarn
