#pragma once

#include "tarnui/platform/gdiplus/Font.h"

#include <pango/pango.h>

namespace tarn {

// The Pango description of a GDI+ font: its exact family, pixel size, weight and slant. The
// caller frees it.
PangoFontDescription* DescribeFont(const gp::FontFamily& family, int style, double pixels);

} // namespace tarn
