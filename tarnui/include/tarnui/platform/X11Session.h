#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <cstdint>
#include <memory>

namespace tarn {

// The real display. While a session exists, the top-level windows of the process are X windows
// on its connection, input comes from the X server and time is the system clock. Open and close
// it on the UI thread; the session must outlive the windows created under it.
class TARN_API X11Session {
public:
    // Null when the display (null: $DISPLAY) cannot be opened or has no 32-bit visual.
    static std::unique_ptr<X11Session> Open(const char* displayName = nullptr);
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // The X window of a top-level window of ours, 0 for any other handle.
    uint64_t NativeWindow(HWND hwnd) const;
    // True when a compositing manager owns the screen's selection, so alpha blends for real.
    bool Composited() const;
    // Sends everything queued and waits until the server has handled it.
    void Sync() const;

    // The window's retained pixels (premultiplied ARGB, stride in pixels), for painters that
    // work on raw pixels; null when hwnd is no top-level window of ours. Present shows an area
    // of them, in client coordinates.
    uint32_t* Pixels(HWND hwnd, int* width, int* height, int* stride) const;
    bool Present(HWND hwnd, const RECT& area) const;

    struct State;

private:
    explicit X11Session(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace tarn
