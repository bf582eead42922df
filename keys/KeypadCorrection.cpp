#include "keys/KeypadCorrection.h"

namespace corvane {

int CorrectKeypadKey(int virtual_key, int scan_code, uint32_t flags)
{
    if (flags == 0x00 || flags == 0x80) {
        switch (scan_code) {
        case 71: return 103; // keypad 7
        case 72: return 104; // keypad 8
        case 73: return 105; // keypad 9
        case 75: return 100; // keypad 4
        case 76: return 101; // keypad 5
        case 77: return 102; // keypad 6
        case 79: return 97;  // keypad 1
        case 80: return 98;  // keypad 2
        case 81: return 99;  // keypad 3
        case 82: return 96;  // keypad 0
        case 83: return 110; // keypad decimal
        default: break;
        }
    }
    if ((flags == 0x01 || flags == 0x81) && scan_code == 28)
        return 108;
    return virtual_key;
}

} // namespace corvane
