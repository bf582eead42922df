#pragma once

#include "tarnui/platform/WinTypes.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarn {

struct MonitorDesc {
    RECT rect;
    RECT work;
};

// Backing pixels of a top-level window: premultiplied ARGB rows, stride in pixels.
struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// The seam between the window core and a display. The core keeps every Windows semantic itself;
// a backend only mirrors top-level windows, reports physical input through InputRouter and
// presents pixels. Only top-level windows reach a backend; children live in the core alone.
class Backend {
public:
    virtual ~Backend() = default;

    virtual std::vector<MonitorDesc> Monitors() const = 0;

    virtual void WindowCreated(HWND hwnd, DWORD style, DWORD exStyle) = 0;
    virtual void WindowDestroyed(HWND hwnd) = 0;
    virtual void GeometryChanged(HWND hwnd, const RECT& screen) = 0;
    virtual void VisibilityChanged(HWND hwnd, bool visible) = 0;
    virtual void TitleChanged(HWND hwnd, std::wstring_view title) = 0;
    virtual void CursorChanged(HCURSOR cursor) = 0;
    // A style or state bit changed after creation (minimised, maximised, top-most, layered).
    virtual void StyleChanged(HWND /*hwnd*/, DWORD /*style*/, DWORD /*exStyle*/) {}
    // WM_SETICON changed the window's icons; either may be null.
    virtual void IconChanged(HWND /*hwnd*/, HICON /*small*/, HICON /*big*/) {}
    // A move driven by the window manager; false lets the core run its own move loop.
    virtual bool BeginSystemMove(HWND) { return false; }

    // The drawing seam: the drawing layer paints into Backing and calls Present.
    virtual PixelBuffer Backing(HWND hwnd) = 0;
    virtual void Present(HWND hwnd, const RECT& area) = 0;

    // A descriptor the loop polls for display events (-1 for none) and reads when ready.
    virtual int EventFd() const { return -1; }
    virtual void ReadEvents() {}
    // Called when a blocking wait of the calling thread has nothing ready; dueMs is the next
    // timer's time. True when something happened or time moved, so the loop looks again.
    virtual bool Idle(std::optional<uint64_t> /*dueMs*/) { return false; }
    // Real-time limit of a blocking wait on a virtual clock (-1 for none), and what to do then.
    virtual int StallTimeoutMs() const { return -1; }
    virtual void Stalled() {}
};

} // namespace tarn
