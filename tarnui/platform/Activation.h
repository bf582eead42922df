#pragma once

#include "tarnui/platform/WinTypes.h"

namespace tarn {

// Activation and focus moves, with the messages Windows sends for them. Called with the core
// mutex released.
class Activation {
public:
    // Activates the top-level window of hwnd (WA_ACTIVE or WA_CLICKACTIVE); the previous one
    // is deactivated first. Answers the previously active window.
    static HWND Activate(HWND hwnd, WORD how);
    // Our program lost activation to some other program: deactivate, drop focus and capture.
    static void DeactivateApp();
    // hwnd is going away (hidden, minimised or destroyed): activate its owner or the next
    // top-level window that can take it, or nothing.
    static void ActivateOther(HWND leaving);
    // Moves the focus, sending WM_KILLFOCUS and WM_SETFOCUS; null removes it.
    static HWND MoveFocus(HWND hwnd);
    // Drops focus and capture held by hwnd or its descendants.
    static void DropFocusAndCapture(HWND hwnd);
};

} // namespace tarn
