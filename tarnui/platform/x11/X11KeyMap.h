#pragma once

#include "tarnui/platform/KeyPositions.h"

#include <X11/Xlib.h>

namespace tarn {

// Physical keys to what the window layer reports: by position from the installed table, else
// from the keysym of the current layout, with the set-1 scan code of the evdev code.
class X11KeyMap {
public:
    static KeyPosition Translate(Display* dpy, unsigned keycode);
    // The character a key press types (0 for none), from the layout and modifiers of the event.
    static wchar_t Character(XKeyEvent& event);
    // The E0-prefixed keys of the set-1 scan codes, by evdev code.
    static bool IsExtendedInputCode(unsigned inputCode);
};

} // namespace tarn
