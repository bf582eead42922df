#pragma once

#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/menu/MenuItem.h"
#include "tarnui/platform/menu/MenuLayout.h"

#include <optional>
#include <vector>

namespace tarn {

// One tracked menu: a copy of its items taken when it opened, its window and the outcome.
struct MenuSession {
    HMENU source = nullptr;
    HWND owner = nullptr;
    UINT flags = 0;
    std::vector<MenuItem> items;
    MenuLayout layout;
    HFONT font = nullptr;
    HWND window = nullptr;
    int hot = -1;
    bool done = false;
    std::optional<UINT_PTR> chosen;

    // Ends the tracking loop; the wake-up makes a loop waiting for messages look again.
    void End(std::optional<UINT_PTR> choice)
    {
        if (done)
            return;
        done = true;
        chosen = choice;
        if (window)
            PostMessageW(window, WM_NULL, 0, 0);
    }
};

} // namespace tarn
