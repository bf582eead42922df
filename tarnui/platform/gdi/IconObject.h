#pragma once

#include "tarnui/platform/gdi/GdiObject.h"

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tarn {

struct DecodedImage;

// An icon: one premultiplied ARGB picture. Backends read it through From and Pixels; the
// object outlives DestroyIcon while someone still holds it, as a tray keeps its copy.
class IconObject final : public GdiObject {
public:
    IconObject(int width, int height, std::vector<uint32_t> pixels);
    ~IconObject() override;

    // The first frame of a decoded picture, scaled to width x height (0 x 0: as it is).
    static std::shared_ptr<IconObject> FromDecoded(const DecodedImage& decoded, int width, int height);
    static std::shared_ptr<IconObject> From(HICON icon);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }
    // The picture scaled to width x height, smoothly; empty for a size of 0 or less.
    std::vector<uint32_t> Pixels(int width, int height) const;
    // A surface over the pixels, for drawing; owned by the object.
    cairo_surface_t* Surface() const { return m_surface; }

    bool isIcon = true;
    int hotspotX = 0;
    int hotspotY = 0;

private:
    int m_width;
    int m_height;
    std::vector<uint32_t> m_pixels;
    cairo_surface_t* m_surface = nullptr;
};

} // namespace tarn
