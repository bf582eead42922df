#pragma once

#include "tarnui/platform/x11/X11Backend.h"

#include <string>

namespace tarn {

// The receiving side of the instance messages: bring-forward requests and posted messages,
// as private client messages on our top-level windows.
class X11Instance {
public:
    static void Install(X11Backend& backend);
    // The first window under the root (and one level into WM frames) marked with the name.
    static XWindow Find(Display* dpy, const std::string& utf8Name);

    static constexpr const char* MarkAtom = "_TARNUI_INSTANCE";
    static constexpr const char* PostAtom = "_TARNUI_POSTMESSAGE";
    static constexpr const char* ForwardAtom = "_TARNUI_ACTIVATE";
};

} // namespace tarn
