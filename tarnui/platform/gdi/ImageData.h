#pragma once

#include "tarnui/platform/gdi/DecodedImage.h"

#include <cairo.h>

#include <memory>
#include <vector>

namespace tarn {

// The frames of an image as premultiplied ARGB32 surfaces of one size.
class ImageData {
public:
    static std::shared_ptr<ImageData> FromDecoded(const DecodedImage& decoded);
    static std::shared_ptr<ImageData> Blank(int width, int height);
    // Knows PNG, GIF and ICO by their first bytes.
    static std::shared_ptr<ImageData> Decode(const uint8_t* data, size_t size);
    ~ImageData();

    std::shared_ptr<ImageData> Copy() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    size_t FrameCount() const { return m_frames.size(); }
    // Frame indexes past the end give the last frame.
    cairo_surface_t* Frame(size_t index) const;
    int Delay(size_t index) const { return index < m_delays.size() ? m_delays[index] : 0; }

private:
    ImageData() = default;

    int m_width = 0;
    int m_height = 0;
    std::vector<cairo_surface_t*> m_frames;
    std::vector<int> m_delays;
};

} // namespace tarn
