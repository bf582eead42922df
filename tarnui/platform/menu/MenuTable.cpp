#include "tarnui/platform/menu/MenuTable.h"

namespace tarn {

namespace {

uintptr_t Key(HMENU menu) { return reinterpret_cast<uintptr_t>(menu); }

} // namespace

MenuTable& MenuTable::Get()
{
    static MenuTable table;
    return table;
}

HMENU MenuTable::Create()
{
    std::lock_guard lock(m_mutex);
    const uintptr_t key = m_next++;
    m_menus.emplace(key, std::vector<MenuItem>());
    return reinterpret_cast<HMENU>(key);
}

bool MenuTable::Destroy(HMENU menu)
{
    std::lock_guard lock(m_mutex);
    return m_menus.erase(Key(menu)) == 1;
}

bool MenuTable::Exists(HMENU menu) const
{
    std::lock_guard lock(m_mutex);
    return m_menus.count(Key(menu)) == 1;
}

bool MenuTable::Append(HMENU menu, MenuItem item)
{
    std::lock_guard lock(m_mutex);
    auto it = m_menus.find(Key(menu));
    if (it == m_menus.end())
        return false;
    it->second.push_back(std::move(item));
    return true;
}

std::optional<std::vector<MenuItem>> MenuTable::Items(HMENU menu) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_menus.find(Key(menu));
    if (it == m_menus.end())
        return std::nullopt;
    return it->second;
}

std::optional<UINT> MenuTable::SetState(HMENU menu, UINT item, UINT by, UINT mask, UINT bits)
{
    std::lock_guard lock(m_mutex);
    auto it = m_menus.find(Key(menu));
    if (it == m_menus.end())
        return std::nullopt;
    auto& items = it->second;
    MenuItem* found = nullptr;
    if (by & MF_BYPOSITION) {
        if (item < items.size())
            found = &items[item];
    } else {
        for (auto& i : items) {
            if (!i.Separator() && i.id == item) {
                found = &i;
                break;
            }
        }
    }
    if (!found)
        return std::nullopt;
    const UINT old = found->flags & mask;
    found->flags = (found->flags & ~mask) | (bits & mask);
    return old;
}

} // namespace tarn
