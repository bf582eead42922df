#pragma once

#include "tarnui/platform/MessageQueue.h"
#include "tarnui/platform/WinTypes.h"

#include <optional>

namespace tarn {

// Physical input, as a backend reports it, turned into window messages: hit-testing, capture,
// click activation, double-click synthesis, hover and leave tracking, key messages.
class InputRouter {
public:
    static void PointerMoved(POINT screen);
    // button is VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
    static void Button(UINT button, bool down);
    static void Wheel(int delta);
    static void Key(UINT vk, UINT scanCode, bool extended, bool down, wchar_t ch);
    static void FocusIn(HWND hwnd);
    static void FocusOut();
    static void CloseRequest(HWND hwnd);

    // Hover tracking: posts WM_MOUSEHOVER when due; the time it is next due.
    static void CheckHover(uint64_t now);
    static std::optional<uint64_t> HoverDue();
    // The GetKeyState view follows the key and button messages as they are retrieved.
    static void UpdateKeyState(MessageQueue& queue, const QueuedInput& input);

    static void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT specificVk = 0, DWORD ch = 0);
};

} // namespace tarn
