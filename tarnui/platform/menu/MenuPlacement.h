#pragma once

#include "tarnui/platform/WinTypes.h"

namespace tarn {

// Where a menu of a given size opens for a point, the TPM_ alignment flags and an area to keep
// clear, on a monitor's rectangle. Menus may cover panels, as they close at once anyway.
class MenuPlacement {
public:
    static RECT Place(SIZE size, POINT at, UINT flags, const RECT* exclude, const RECT& monitor);
};

} // namespace tarn
