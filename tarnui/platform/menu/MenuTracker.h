#pragma once

#include "tarnui/platform/Menu.h"

#include <optional>

namespace tarn {

// The modal loop of TrackPopupMenuEx. One menu is tracked at a time in the process.
class MenuTracker {
public:
    static BOOL Track(HMENU menu, UINT flags, POINT at, HWND owner, const TPMPARAMS* params);
    static bool EndCurrent();
    // The screen rectangle of an item of the tracked menu.
    static std::optional<RECT> ItemRect(HMENU menu, UINT position);
};

} // namespace tarn
