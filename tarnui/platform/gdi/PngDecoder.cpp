#include "tarnui/platform/gdi/PngDecoder.h"

#include <cairo.h>

#include <cstring>

namespace tarn {

namespace {

struct Cursor {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

cairo_status_t Read(void* closure, unsigned char* out, unsigned int length)
{
    auto* c = static_cast<Cursor*>(closure);
    if (c->size - c->pos < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, c->data + c->pos, length);
    c->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

uint32_t BigEndian(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

} // namespace

bool DecodePng(const uint8_t* data, size_t size, DecodedImage* out)
{
    *out = DecodedImage();
    // The size is checked from the header before the decoder allocates anything.
    if (!IsPng(data, size) || size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t w = BigEndian(data + 16);
    const uint32_t h = BigEndian(data + 20);
    if (w == 0 || h == 0 || w > kMaxImageSide || h > kMaxImageSide || static_cast<long long>(w) * h > kMaxImagePixels)
        return false;
    Cursor cursor{data, size, 0};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(&Read, &cursor);
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    const cairo_format_t format = ok ? cairo_image_surface_get_format(surface) : CAIRO_FORMAT_INVALID;
    ok = ok && (format == CAIRO_FORMAT_ARGB32 || format == CAIRO_FORMAT_RGB24);
    if (ok) {
        cairo_surface_flush(surface);
        out->width = cairo_image_surface_get_width(surface);
        out->height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* pixels = cairo_image_surface_get_data(surface);
        std::vector<uint32_t> frame(static_cast<size_t>(out->width) * static_cast<size_t>(out->height));
        // Cairo already premultiplies; an opaque image's unused byte becomes full alpha.
        const uint32_t fill = format == CAIRO_FORMAT_RGB24 ? 0xFF000000u : 0;
        for (int y = 0; y < out->height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(pixels + static_cast<ptrdiff_t>(y) * stride);
            for (int x = 0; x < out->width; ++x)
                frame[static_cast<size_t>(y) * static_cast<size_t>(out->width) + static_cast<size_t>(x)] = row[x] | fill;
        }
        out->frames.push_back(std::move(frame));
        out->delays.push_back(0);
    }
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace tarn
