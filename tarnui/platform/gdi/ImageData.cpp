#include "tarnui/platform/gdi/ImageData.h"

#include "tarnui/platform/gdi/GifDecoder.h"
#include "tarnui/platform/gdi/IcoDecoder.h"
#include "tarnui/platform/gdi/PngDecoder.h"

#include <cstring>

namespace tarn {

std::shared_ptr<ImageData> ImageData::FromDecoded(const DecodedImage& decoded)
{
    if (decoded.frames.empty() || decoded.width <= 0 || decoded.height <= 0)
        return nullptr;
    std::shared_ptr<ImageData> image(new ImageData());
    image->m_width = decoded.width;
    image->m_height = decoded.height;
    for (size_t i = 0; i < decoded.frames.size(); ++i) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, decoded.width, decoded.height);
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(s);
            return nullptr;
        }
        cairo_surface_flush(s);
        unsigned char* dst = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        const auto rowBytes = static_cast<size_t>(decoded.width) * 4;
        for (int y = 0; y < decoded.height; ++y)
            std::memcpy(dst + static_cast<ptrdiff_t>(y) * stride,
                        decoded.frames[i].data() + static_cast<size_t>(y) * static_cast<size_t>(decoded.width), rowBytes);
        cairo_surface_mark_dirty(s);
        image->m_frames.push_back(s);
        image->m_delays.push_back(i < decoded.delays.size() ? decoded.delays[i] : 0);
    }
    return image;
}

std::shared_ptr<ImageData> ImageData::Blank(int width, int height)
{
    std::shared_ptr<ImageData> image(new ImageData());
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        width = height = 0;
    image->m_width = width;
    image->m_height = height;
    image->m_frames.push_back(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    image->m_delays.push_back(0);
    return image;
}

std::shared_ptr<ImageData> ImageData::Decode(const uint8_t* data, size_t size)
{
    DecodedImage decoded;
    bool ok = false;
    if (IsPng(data, size))
        ok = DecodePng(data, size, &decoded);
    else if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        ok = DecodeGif(data, size, &decoded);
    else if (size >= 4 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) && data[3] == 0)
        ok = DecodeIco(data, size, -1, &decoded);
    return ok ? FromDecoded(decoded) : nullptr;
}

ImageData::~ImageData()
{
    for (cairo_surface_t* s : m_frames)
        cairo_surface_destroy(s);
}

std::shared_ptr<ImageData> ImageData::Copy() const
{
    std::shared_ptr<ImageData> image(new ImageData());
    image->m_width = m_width;
    image->m_height = m_height;
    image->m_delays = m_delays;
    for (cairo_surface_t* s : m_frames) {
        cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
        cairo_t* cr = cairo_create(copy);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        image->m_frames.push_back(copy);
    }
    return image;
}

cairo_surface_t* ImageData::Frame(size_t index) const
{
    if (m_frames.empty())
        return nullptr;
    return m_frames[std::min(index, m_frames.size() - 1)];
}

} // namespace tarn
