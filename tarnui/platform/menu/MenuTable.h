#pragma once

#include "tarnui/platform/menu/MenuItem.h"

#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace tarn {

// Every menu of the process by handle. Handles are never reused, so one kept past DestroyMenu
// is simply no menu any more.
class MenuTable {
public:
    static MenuTable& Get();

    HMENU Create();
    bool Destroy(HMENU menu);
    bool Exists(HMENU menu) const;
    bool Append(HMENU menu, MenuItem item);
    // A copy of the items; nullopt for a handle that is no menu.
    std::optional<std::vector<MenuItem>> Items(HMENU menu) const;
    // Replaces the bits of mask of one item, found by command id or (MF_BYPOSITION) position;
    // answers its previous bits of mask, nullopt when there is no such item.
    std::optional<UINT> SetState(HMENU menu, UINT item, UINT by, UINT mask, UINT bits);

private:
    mutable std::mutex m_mutex;
    std::map<uintptr_t, std::vector<MenuItem>> m_menus;
    uintptr_t m_next = 0x10000;
};

} // namespace tarn
