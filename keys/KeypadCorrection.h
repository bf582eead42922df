#pragma once

#include <cstdint>

namespace corvane {

// The virtual key of a key from the low-level keyboard hook. With Num Lock off the keypad
// reports navigation keys; their scan codes and plain flags (0x00 press, 0x80 release) tell
// them apart from the real navigation keys, which come flagged extended. Keypad Enter comes as
// Enter flagged extended (0x01 press, 0x81 release). Any other flags keep the reported key.
int CorrectKeypadKey(int virtual_key, int scan_code, uint32_t flags);

} // namespace corvane
