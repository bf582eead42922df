#pragma once

#include <cstdint>
#include <span>

namespace corvane {

// The built-in shortcuts: their keys (HID keyboard usages) are pressed in order and released in
// reverse order, both when the keyboard stores them and when the program plays them.
constexpr int ShortcutCount = 15;

// Shortcut 1..15's usages; empty for any other number.
std::span<const uint8_t> ShortcutUsages(int number);

// The interface text that names a shortcut.
constexpr int ShortcutCaption(int number) { return 700 + number; }

} // namespace corvane
