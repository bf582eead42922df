#pragma once

#include "tarnui/platform/Backend.h"
#include "tarnui/platform/x11/X11Connection.h"

#include <vector>

namespace tarn {

// The monitors of the screen (RandR, primary first) with their work areas: each monitor cut by
// the desktop's _NET_WORKAREA where it overlaps it. Without RandR, the whole screen.
class X11Monitors {
public:
    static std::vector<MonitorDesc> Query(const X11Connection& conn);
};

} // namespace tarn
