#pragma once

#include "tarnui/platform/gdi/GdiObject.h"

#include <cairo.h>

namespace tarn {

// A bitmap: one premultiplied ARGB32 image surface, which is also a DIB section's pixels.
struct BitmapObject final : GdiObject {
    explicit BitmapObject(cairo_surface_t* s) : GdiObject(GdiKind::Bitmap), surface(s) {}
    ~BitmapObject() override { cairo_surface_destroy(surface); }

    int Width() const { return cairo_image_surface_get_width(surface); }
    int Height() const { return cairo_image_surface_get_height(surface); }

    cairo_surface_t* surface;
    bool dib = false;
};

} // namespace tarn
