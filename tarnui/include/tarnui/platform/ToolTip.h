#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinTypes.h"

// The tooltip window class and its messages. A tooltip shows its one text near the pointer
// after the initial delay, once it is active and has a text; it never takes activation, and
// hides on TTM_ACTIVATE(FALSE), an empty text, TTM_POP, and relayed presses or leaves.
namespace tarn {

inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;

inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;
inline constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_SETMARGIN = WM_USER + 26;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;
inline constexpr UINT TTM_GETTEXTW = WM_USER + 56;
inline constexpr UINT TTM_UPDATETIPTEXTW = WM_USER + 57;

inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_INITIAL = 3;

// The delay before a tooltip shows, in milliseconds.
inline constexpr UINT kToolTipInitialDelay = 500;

struct TOOLINFOW {
    UINT cbSize = sizeof(TOOLINFOW);
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect;
    HINSTANCE hinst = nullptr;
    wchar_t* lpszText = nullptr;
    LPARAM lParam = 0;
};

// Registers the class on first use and answers its name, "tooltips_class32".
TARN_API const wchar_t* ToolTipClassName();

} // namespace tarn
