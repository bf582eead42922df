#pragma once

#include "tarnui/platform/WinTypes.h"

#include <array>

namespace tarn {

// Input and activation state of the process. One UI thread runs the windows, so activation,
// focus and capture are process-wide here rather than per thread.
struct UiState {
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HCURSOR cursor = nullptr;
    POINT cursorPos;
    std::array<uint8_t, 256> asyncKeys{};

    // The last press, for double-click synthesis.
    HWND clickHwnd = nullptr;
    UINT clickButton = 0;
    DWORD clickTime = 0;
    POINT clickPos;

    // TrackMouseEvent: leave and hover are one-shot, re-armed by the window.
    HWND trackHwnd = nullptr;
    DWORD trackFlags = 0;
    DWORD hoverTime = 0;
    POINT hoverStart;
    uint64_t hoverDue = 0;
};

} // namespace tarn
