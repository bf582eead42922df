#pragma once

#include "tarnui/platform/menu/MenuSession.h"

namespace tarn {

// The window a tracked menu shows in: it paints the session, follows the pointer and the keys,
// and ends the session on a choice, Escape or the loss of activation.
class MenuWindow {
public:
    // Registers the class on first use.
    static const wchar_t* ClassName();
    // A hidden window over session at rect; null when it cannot be made.
    static HWND Create(MenuSession& session, const RECT& rect);
    // Keys of the session's window, whichever window they were typed into.
    static void Key(MenuSession& session, UINT msg, WPARAM wParam);
};

} // namespace tarn
