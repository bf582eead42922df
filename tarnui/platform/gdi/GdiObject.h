#pragma once

#include "tarnui/platform/RectRegion.h"
#include "tarnui/platform/WinGdi.h"

#include <memory>

namespace tarn {

enum class GdiKind { Dc, Bitmap, Font, Brush, Region, Icon };

// Every GDI handle names one of these through GdiTable. Objects are shared: a DC keeps what it
// has selected (and what its saved states had) alive after DeleteObject forgets the handle.
struct GdiObject {
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    GdiKind kind;
    HGDIOBJ handle = nullptr;
    bool stock = false;
    // How many DCs have it selected now; a selected bitmap cannot be deleted or selected twice.
    int selected = 0;
};

struct BrushObject final : GdiObject {
    BrushObject(COLORREF c, bool hollow) : GdiObject(GdiKind::Brush), color(c), null(hollow) {}
    COLORREF color;
    bool null;
};

struct RegionObject final : GdiObject {
    RegionObject() : GdiObject(GdiKind::Region) {}
    RectRegion region;
};

} // namespace tarn
