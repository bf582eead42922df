#include "tarnui/platform/gdi/IconObject.h"

#include "tarnui/platform/gdi/DecodedImage.h"
#include "tarnui/platform/gdi/GdiTable.h"

namespace tarn {

namespace {

// Icons are small; a bigger request is a mistake, not a picture to allocate.
constexpr int kMaxIconSide = 1024;

std::vector<uint32_t> Scale(cairo_surface_t* source, int sw, int sh, int width, int height)
{
    std::vector<uint32_t> out;
    if (width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide)
        return out;
    out.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(out.data()), CAIRO_FORMAT_ARGB32, width, height, width * 4);
    cairo_t* cr = cairo_create(target);
    cairo_scale(cr, static_cast<double>(width) / sw, static_cast<double>(height) / sh);
    cairo_set_source_surface(cr, source, 0, 0);
    // Pad keeps the edge pixels from fading into transparent black as they are sampled.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, 0, 0, sw, sh);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    return out;
}

} // namespace

IconObject::IconObject(int width, int height, std::vector<uint32_t> pixels)
    : GdiObject(GdiKind::Icon), m_width(width), m_height(height), m_pixels(std::move(pixels))
{
    m_surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(m_pixels.data()),
                                                    CAIRO_FORMAT_ARGB32, m_width, m_height, m_width * 4);
    hotspotX = width / 2;
    hotspotY = height / 2;
}

IconObject::~IconObject()
{
    cairo_surface_destroy(m_surface);
}

std::shared_ptr<IconObject> IconObject::FromDecoded(const DecodedImage& decoded, int width, int height)
{
    if (decoded.frames.empty() || decoded.width <= 0 || decoded.height <= 0 || width < 0 || height < 0
        || width > kMaxIconSide || height > kMaxIconSide
        || decoded.frames[0].size() != static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height))
        return nullptr;
    auto own = std::make_shared<IconObject>(decoded.width, decoded.height, decoded.frames[0]);
    if ((width == 0 && height == 0) || (width == decoded.width && height == decoded.height))
        return own;
    // One side given keeps the picture's proportions.
    if (width == 0)
        width = std::max(1, decoded.width * height / decoded.height);
    if (height == 0)
        height = std::max(1, decoded.height * width / decoded.width);
    return std::make_shared<IconObject>(width, height, own->Pixels(width, height));
}

std::shared_ptr<IconObject> IconObject::From(HICON icon)
{
    return GdiTable::Get().FindAs<IconObject>(icon, GdiKind::Icon);
}

std::vector<uint32_t> IconObject::Pixels(int width, int height) const
{
    if (width == m_width && height == m_height)
        return m_pixels;
    return Scale(m_surface, m_width, m_height, width, height);
}

} // namespace tarn
