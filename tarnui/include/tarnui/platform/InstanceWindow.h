#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <cstdint>

// The running instance's window as other processes see it: marked by name on the display,
// found by that name (also while it is hidden), brought forward, and sent messages.
namespace tarn {

// Sets the window property `name` (as SetPropW does) and marks the window with it on the
// display of the open X11 session. FALSE for no window of ours or an empty name; without a
// session only the property is set.
TARN_API BOOL PublishInstanceWindow(HWND hwnd, const wchar_t* name);

// The calls below open a connection of their own (null display: $DISPLAY), so a process with
// no window yet can use them. The X window marked with `name`, 0 for none.
TARN_API uint64_t FindInstanceWindow(const wchar_t* name, const char* display = nullptr);
// Asks the marked window to show, restore and activate itself. FALSE when none was found.
TARN_API BOOL BringInstanceForward(const wchar_t* name, const char* display = nullptr);
// Posts msg to the marked window's queue. Only the private range (WM_USER to 0x7FFF) is
// accepted on the receiving side; wParam and lParam travel as 32-bit values.
TARN_API BOOL PostInstanceMessage(const wchar_t* name, UINT msg, WPARAM wParam, LPARAM lParam,
                                  const char* display = nullptr);

} // namespace tarn
