#include "tarnui/platform/gdi/DeviceContext.h"

#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/gdi/GdiTable.h"

namespace tarn {

DeviceContext::DeviceContext(Type type, HWND hwnd) : GdiObject(GdiKind::Dc), m_type(type), m_hwnd(hwnd)
{
    m_state.font = GdiTable::Get().FindAs<FontObject>(GdiTable::Get().Stock(SYSTEM_FONT), GdiKind::Font);
    m_state.brush = GdiTable::Get().FindAs<BrushObject>(GdiTable::Get().Stock(WHITE_BRUSH), GdiKind::Brush);
    if (type == Type::Memory)
        m_state.bitmap = GdiTable::Get().FindAs<BitmapObject>(GdiTable::Get().Stock(GdiTable::kDefaultBitmap), GdiKind::Bitmap);
    Count(m_state, +1);
}

DeviceContext::~DeviceContext()
{
    if (m_windowSurface)
        cairo_surface_destroy(m_windowSurface);
}

std::shared_ptr<DeviceContext> DeviceContext::From(HDC hdc)
{
    return GdiTable::Get().FindAs<DeviceContext>(hdc, GdiKind::Dc);
}

void DeviceContext::SetPaintRect(const RECT& rect)
{
    m_hasPaintRect = true;
    m_paintRect = rect;
}

void DeviceContext::Count(const State& state, int delta)
{
    if (state.bitmap)
        state.bitmap->selected += delta;
    if (state.font)
        state.font->selected += delta;
    if (state.brush)
        state.brush->selected += delta;
}

int DeviceContext::Save()
{
    m_saved.push_back(m_state);
    return static_cast<int>(m_saved.size());
}

bool DeviceContext::Restore(int level)
{
    const int count = static_cast<int>(m_saved.size());
    // A negative level counts back from the latest save.
    const int target = level < 0 ? count + level + 1 : level;
    if (level == 0 || target < 1 || target > count)
        return false;
    State restored = m_saved[static_cast<size_t>(target - 1)];
    // The bitmap of a saved state may have been selected elsewhere since.
    if (restored.bitmap && restored.bitmap != m_state.bitmap && restored.bitmap->selected > 0)
        return false;
    Count(m_state, -1);
    m_state = std::move(restored);
    Count(m_state, +1);
    m_saved.resize(static_cast<size_t>(target - 1));
    return true;
}

void DeviceContext::Select(std::shared_ptr<BitmapObject> bitmap)
{
    if (m_state.bitmap)
        --m_state.bitmap->selected;
    m_state.bitmap = std::move(bitmap);
    if (m_state.bitmap)
        ++m_state.bitmap->selected;
}

void DeviceContext::Select(std::shared_ptr<FontObject> font)
{
    if (m_state.font)
        --m_state.font->selected;
    m_state.font = std::move(font);
    if (m_state.font)
        ++m_state.font->selected;
}

void DeviceContext::Select(std::shared_ptr<BrushObject> brush)
{
    if (m_state.brush)
        --m_state.brush->selected;
    m_state.brush = std::move(brush);
    if (m_state.brush)
        ++m_state.brush->selected;
}

void DeviceContext::ReleaseAll()
{
    Count(m_state, -1);
    m_state = State();
    m_saved.clear();
}

bool DeviceContext::Resolve(Target* target)
{
    *target = Target();
    RECT bounds;
    if (m_type == Type::Memory) {
        if (!m_state.bitmap)
            return false;
        target->surface = m_state.bitmap->surface;
        bounds = RECT(0, 0, m_state.bitmap->Width(), m_state.bitmap->Height());
    } else if (m_type == Type::Window) {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        Window* w = core.Find(m_hwnd);
        if (!w)
            return false;
        HWND root = core.RootOf(m_hwnd);
        const POINT origin = core.ClientOriginLocked(m_hwnd);
        const POINT rootOrigin = core.ClientOriginLocked(root);
        target->dx = origin.x - rootOrigin.x;
        target->dy = origin.y - rootOrigin.y;
        const PixelBuffer px = core.GetBackend().Backing(root);
        if (!px.pixels || px.width <= 0 || px.height <= 0)
            return false;
        if (px.pixels != m_windowPixels || !m_windowSurface || cairo_image_surface_get_width(m_windowSurface) != px.width ||
            cairo_image_surface_get_height(m_windowSurface) != px.height) {
            if (m_windowSurface)
                cairo_surface_destroy(m_windowSurface);
            m_windowSurface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(px.pixels),
                                                                  CAIRO_FORMAT_ARGB32, px.width, px.height, px.stride * 4);
            m_windowPixels = px.pixels;
        }
        target->surface = m_windowSurface;
        bounds = RECT(POINT(), w->rect.Size());
        RECT onBacking(-target->dx, -target->dy, px.width - target->dx, px.height - target->dy);
        bounds.IntersectRect(bounds, onBacking);
        if (m_hasPaintRect)
            bounds.IntersectRect(bounds, m_paintRect);
    } else {
        return false;
    }
    if (cairo_surface_status(target->surface) != CAIRO_STATUS_SUCCESS)
        return false;
    target->area = RectRegion(bounds);
    if (m_state.hasClip) {
        RectRegion clipped;
        for (const RECT& r : m_state.clip.Rects()) {
            RECT part;
            if (part.IntersectRect(r, bounds))
                clipped.Add(part);
        }
        target->area = clipped;
    }
    return true;
}

cairo_t* DeviceContext::Begin()
{
    Target target;
    if (!Resolve(&target) || target.area.IsEmpty())
        return nullptr;
    cairo_t* cr = cairo_create(target.surface);
    cairo_translate(cr, target.dx, target.dy);
    for (const RECT& r : target.area.Rects())
        cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    return cr;
}

bool DeviceContext::PresentArea(HWND* root, RECT* area)
{
    if (m_type != Type::Window)
        return false;
    Target target;
    if (!Resolve(&target) || target.area.IsEmpty())
        return false;
    *area = target.area.Bounds();
    area->OffsetRect(target.dx, target.dy);
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    *root = core.RootOf(m_hwnd);
    return *root != nullptr;
}

} // namespace tarn
