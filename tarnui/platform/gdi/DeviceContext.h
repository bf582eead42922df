#pragma once

#include "tarnui/platform/gdi/BitmapObject.h"
#include "tarnui/platform/gdi/FontObject.h"

#include <cairo.h>

#include <memory>
#include <vector>

namespace tarn {

// A device context: what is selected, the text and background state, the saved states, and the
// surface it draws on. A memory DC draws on its selected bitmap; a window DC on the backing
// pixels of its top-level window, resolved again for every operation because a resize moves
// them.
class DeviceContext final : public GdiObject {
public:
    enum class Type { Memory, Window, Screen };

    struct State {
        std::shared_ptr<BitmapObject> bitmap;
        std::shared_ptr<FontObject> font;
        std::shared_ptr<BrushObject> brush;
        COLORREF text = RGB(0, 0, 0);
        COLORREF bk = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int stretchMode = BLACKONWHITE;
        bool hasClip = false;
        RectRegion clip;
    };

    // Where the next operation draws: a surface, the DC's origin on it, and the DC's drawable
    // area in DC coordinates.
    struct Target {
        cairo_surface_t* surface = nullptr;
        int dx = 0;
        int dy = 0;
        RectRegion area;
    };

    DeviceContext(Type type, HWND hwnd);
    ~DeviceContext() override;

    static std::shared_ptr<DeviceContext> From(HDC hdc);

    Type GetType() const { return m_type; }
    HWND Hwnd() const { return m_hwnd; }
    void SetPaintRect(const RECT& rect);
    State& Current() { return m_state; }

    int Save();
    bool Restore(int level);
    void Select(std::shared_ptr<BitmapObject> bitmap);
    void Select(std::shared_ptr<FontObject> font);
    void Select(std::shared_ptr<BrushObject> brush);
    // Drops every selection; for DeleteDC.
    void ReleaseAll();

    bool Resolve(Target* target);
    // A Cairo context on the target, translated to the DC's origin and clipped to its area; null
    // when there is nothing to draw on. The caller destroys it.
    cairo_t* Begin();
    // The area a window DC covers, in its top-level window's coordinates, for presenting.
    bool PresentArea(HWND* root, RECT* area);

private:
    void Count(const State& state, int delta);

    Type m_type;
    HWND m_hwnd;
    bool m_hasPaintRect = false;
    RECT m_paintRect;
    State m_state;
    std::vector<State> m_saved;
    cairo_surface_t* m_windowSurface = nullptr;
    uint32_t* m_windowPixels = nullptr;
};

} // namespace tarn
