#include "tarnui/platform/Menu.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/menu/MenuTable.h"
#include "tarnui/platform/menu/MenuTracker.h"

namespace tarn {

namespace {

constexpr UINT kNoItem = static_cast<UINT>(-1);

bool KnownMenu(HMENU menu)
{
    if (MenuTable::Get().Exists(menu))
        return true;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return false;
}

} // namespace

HMENU CreatePopupMenu() { return MenuTable::Get().Create(); }

BOOL DestroyMenu(HMENU menu)
{
    if (MenuTable::Get().Destroy(menu))
        return TRUE;
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
}

BOOL IsMenu(HMENU menu) { return MenuTable::Get().Exists(menu) ? TRUE : FALSE; }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, const wchar_t* text)
{
    if (!KnownMenu(menu))
        return FALSE;
    if (flags & (MF_POPUP | MF_BITMAP | MF_OWNERDRAW | MF_BYPOSITION)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    MenuItem item;
    item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR);
    if (!item.Separator()) {
        item.id = id;
        item.text = text ? text : L"";
    }
    return MenuTable::Get().Append(menu, std::move(item)) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU menu)
{
    auto items = MenuTable::Get().Items(menu);
    if (!items) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return static_cast<int>(items->size());
}

UINT GetMenuItemID(HMENU menu, int position)
{
    auto items = MenuTable::Get().Items(menu);
    if (!items || position < 0 || static_cast<size_t>(position) >= items->size())
        return kNoItem;
    return static_cast<UINT>((*items)[static_cast<size_t>(position)].id);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags)
{
    if (!KnownMenu(menu))
        return kNoItem;
    const auto old = MenuTable::Get().SetState(menu, item, flags, MF_CHECKED, flags);
    return old ? *old : kNoItem;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags)
{
    if (!KnownMenu(menu))
        return -1;
    const auto old = MenuTable::Get().SetState(menu, item, flags, MF_GRAYED | MF_DISABLED, flags);
    return old ? static_cast<BOOL>(*old) : -1;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params)
{
    if (params && params->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return MenuTracker::Track(menu, flags, POINT(x, y), owner, params);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    return MenuTracker::Track(menu, flags, POINT(x, y), owner, nullptr);
}

BOOL EndMenu() { return MenuTracker::EndCurrent() ? TRUE : FALSE; }

BOOL GetMenuItemRect(HWND, HMENU menu, UINT position, RECT* rect)
{
    if (!rect)
        return FALSE;
    const auto r = MenuTracker::ItemRect(menu, position);
    if (!r)
        return FALSE;
    *rect = *r;
    return TRUE;
}

} // namespace tarn
