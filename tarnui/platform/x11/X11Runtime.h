#pragma once

#include "tarnui/platform/x11/X11Backend.h"

#include <cstdint>

namespace tarn {

// The backend of the open session, for the pieces reached through free functions (tray,
// instance window). Set and read on the UI thread only.
class X11Runtime {
public:
    static X11Backend* Active();
    static void SetActive(X11Backend* backend);
    // Changes with every session, so state kept for one is never taken for the next's.
    static uint64_t Generation();
};

} // namespace tarn
