#include "tarnui/platform/gdi/GdiTable.h"

#include "tarnui/platform/gdi/BitmapObject.h"
#include "tarnui/platform/gdi/FontObject.h"

namespace tarn {

GdiTable& GdiTable::Get()
{
    static GdiTable table;
    return table;
}

HGDIOBJ GdiTable::Add(std::shared_ptr<GdiObject> object)
{
    if (!object)
        return nullptr;
    std::lock_guard lock(m_mutex);
    // Ids start high and step by 4 so a handle never looks like a small integer resource id.
    m_next += 4;
    auto handle = reinterpret_cast<HGDIOBJ>(m_next);
    object->handle = handle;
    m_objects.emplace(m_next, std::move(object));
    return handle;
}

std::shared_ptr<GdiObject> GdiTable::Find(HGDIOBJ handle) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == m_objects.end() ? nullptr : it->second;
}

bool GdiTable::Remove(HGDIOBJ handle)
{
    std::lock_guard lock(m_mutex);
    return m_objects.erase(reinterpret_cast<uintptr_t>(handle)) > 0;
}

HGDIOBJ GdiTable::Stock(int index)
{
    {
        std::lock_guard lock(m_mutex);
        auto it = m_stock.find(index);
        if (it != m_stock.end())
            return it->second;
    }
    std::shared_ptr<GdiObject> object;
    switch (index) {
    case WHITE_BRUSH: object = std::make_shared<BrushObject>(RGB(255, 255, 255), false); break;
    case LTGRAY_BRUSH: object = std::make_shared<BrushObject>(RGB(192, 192, 192), false); break;
    case GRAY_BRUSH: object = std::make_shared<BrushObject>(RGB(128, 128, 128), false); break;
    case DKGRAY_BRUSH: object = std::make_shared<BrushObject>(RGB(64, 64, 64), false); break;
    case BLACK_BRUSH: object = std::make_shared<BrushObject>(RGB(0, 0, 0), false); break;
    case NULL_BRUSH: object = std::make_shared<BrushObject>(0, true); break;
    case kDefaultBitmap:
        object = std::make_shared<BitmapObject>(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
        break;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: object = std::make_shared<FontObject>(FontObject::DefaultGuiFont()); break;
    default: return nullptr;
    }
    object->stock = true;
    HGDIOBJ handle = Add(object);
    std::lock_guard lock(m_mutex);
    // Two threads may race to make the same stock object; the first one stays.
    auto [it, inserted] = m_stock.emplace(index, handle);
    if (!inserted)
        m_objects.erase(reinterpret_cast<uintptr_t>(handle));
    return it->second;
}

} // namespace tarn
