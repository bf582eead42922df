#pragma once

#include "tarnui/platform/Menu.h"

#include <string>

namespace tarn {

// One entry of a pop-up menu: a text item or a separator.
struct MenuItem {
    UINT flags = MF_STRING;
    UINT_PTR id = 0;
    std::wstring text;

    bool Separator() const { return (flags & MF_SEPARATOR) != 0; }
    bool Grayed() const { return (flags & MF_GRAYED) != 0; }
    bool Checked() const { return (flags & MF_CHECKED) != 0; }
    // Grayed and disabled items can be seen but not chosen.
    bool Selectable() const { return !Separator() && !(flags & (MF_GRAYED | MF_DISABLED)); }
};

} // namespace tarn
