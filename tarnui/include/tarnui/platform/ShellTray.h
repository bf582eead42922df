#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

namespace tarn {

inline constexpr DWORD NIM_ADD = 0x0;
inline constexpr DWORD NIM_MODIFY = 0x1;
inline constexpr DWORD NIM_DELETE = 0x2;
inline constexpr UINT NIF_MESSAGE = 0x1;
inline constexpr UINT NIF_ICON = 0x2;
inline constexpr UINT NIF_TIP = 0x4;

struct NOTIFYICONDATAW {
    DWORD cbSize = sizeof(NOTIFYICONDATAW);
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    wchar_t szTip[128] = {};
};

// An icon in the desktop's system tray (the freedesktop tray protocol). Clicks reach hWnd as
// uCallbackMessage with wParam uID and lParam WM_LBUTTONDOWN, WM_LBUTTONDBLCLK or WM_RBUTTONUP.
// The icon is copied and scaled to the tray's slot, so hIcon may be destroyed after the call.
// NIM_ADD fails, changing nothing, when no X11 session is open or no tray runs on the desktop;
// an icon that was docked docks again when the tray restarts.
TARN_API BOOL Shell_NotifyIconW(DWORD message, const NOTIFYICONDATAW* data);

} // namespace tarn
