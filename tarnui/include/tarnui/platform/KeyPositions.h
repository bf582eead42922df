#pragma once

#include "tarnui/platform/Export.h"

#include <cstdint>
#include <span>

namespace tarn {

// Where a physical key sits: its X keycode (evdev code + 8) and what Windows would report for
// it by position on a US layout. The program installs its generated key table once at start-up;
// keys missing from it fall back to the keysym of the current layout.
struct KeyPosition {
    uint16_t xKeycode = 0;
    uint16_t virtualKey = 0;
    uint8_t scanCode = 0;
    bool extended = false;
};

// Copies the rows; a later call replaces the table. Rows with keycode 0 or virtual key 0 are
// skipped; for a keycode listed twice the first row wins.
TARN_API void SetKeyPositions(std::span<const KeyPosition> rows);

} // namespace tarn
