#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinTypes.h"

// Pop-up menus: a flat list of text items and separators that the library draws itself, tracked
// in a modal loop until the user picks an item or dismisses the menu. Submenus, bitmaps and
// owner-drawn items are not supported; AppendMenuW refuses them. Menu handles may be made and
// filled on any thread; tracking runs on the owner window's thread.
namespace tarn {

// Item flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_BITMAP = 0x0004;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_OWNERDRAW = 0x0100;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_HORIZONTAL = 0x0000;
inline constexpr UINT TPM_VERTICAL = 0x0040;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// What the owner hears while a menu is tracked (none of it with TPM_NONOTIFY).
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_ENTERMENULOOP = 0x0211;
inline constexpr UINT WM_EXITMENULOOP = 0x0212;

inline constexpr DWORD ERROR_INVALID_MENU_HANDLE = 1401;
inline constexpr DWORD ERROR_POPUP_ALREADY_ACTIVE = 1446;
inline constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;

struct TPMPARAMS {
    UINT cbSize = sizeof(TPMPARAMS);
    // A screen area the menu must not cover, such as the control that opened it.
    RECT rcExclude;
};

TARN_API HMENU CreatePopupMenu();
TARN_API BOOL DestroyMenu(HMENU menu);
TARN_API BOOL IsMenu(HMENU menu);
// Appends a text item (MF_STRING with MF_GRAYED, MF_DISABLED, MF_CHECKED) or a separator.
TARN_API BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, const wchar_t* text);
// -1 for a handle that is no menu.
TARN_API int GetMenuItemCount(HMENU menu);
// The command id of the item at a position; -1 (as UINT) when there is none; 0 for a separator.
TARN_API UINT GetMenuItemID(HMENU menu, int position);
// Both answer the item's previous state bits, or -1 (as DWORD / BOOL) when there is no such item.
TARN_API DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
TARN_API BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);

// Shows the menu at a screen point (aligned by the TPM_ flags, kept on that point's monitor,
// flipped to the other side of the point where it would not fit) and returns when it closes:
// on a click of an item (the right button too with TPM_RIGHTBUTTON), Enter on the highlighted
// item, its mnemonic, Escape, a press outside, or the menu losing activation. The chosen item
// is posted to the owner as WM_COMMAND(id, 0); with TPM_RETURNCMD it is returned instead (0 for
// none) and nothing is posted. Otherwise answers TRUE once the menu was shown; FALSE for a bad
// menu or window, an empty menu, or while another menu is tracked.
TARN_API BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
TARN_API BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
// Closes the menu being tracked, as Escape would.
TARN_API BOOL EndMenu();
// The screen rectangle of an item of the menu being tracked, by position.
TARN_API BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, RECT* rect);

} // namespace tarn
