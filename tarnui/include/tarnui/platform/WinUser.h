#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinTypes.h"

#include <functional>

// The Windows-shaped window, message, input and timer calls of the library's own window layer.
// Each behaves as the call of the same name does for the semantics the UI relies on. Calls
// that name a window fail (0, FALSE or null, GetLastError set) for a handle that is no longer a
// window. PostMessage, PostThreadMessage, EnableWindow, InvalidateRect, IsWindow and
// timeKillEvent may be called from any thread; everything else from the window's own thread.
namespace tarn {

// Errors of the calling thread.
TARN_API DWORD GetLastError();
TARN_API void SetLastError(DWORD error);
TARN_API DWORD GetCurrentThreadId();

// Classes.
TARN_API ATOM RegisterClassExW(const WNDCLASSEXW* wc);
TARN_API BOOL UnregisterClassW(const wchar_t* className, HINSTANCE instance);
TARN_API BOOL GetClassInfoExW(HINSTANCE instance, const wchar_t* className, WNDCLASSEXW* out);
TARN_API int GetClassNameW(HWND hwnd, wchar_t* buffer, int maxCount);
// Registers a class every instance can use, as the system's own classes are.
TARN_API ATOM RegisterSystemClassW(const WNDCLASSEXW* wc);

// Window life cycle and relations.
TARN_API HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                              DWORD style, int x, int y, int width, int height, HWND parent,
                              HMENU menu, HINSTANCE instance, LPVOID param);
TARN_API BOOL DestroyWindow(HWND hwnd);
TARN_API BOOL IsWindow(HWND hwnd);
TARN_API BOOL IsChild(HWND parent, HWND hwnd);
TARN_API HWND GetParent(HWND hwnd);
TARN_API HWND GetAncestor(HWND hwnd, UINT flags);
TARN_API HWND GetWindow(HWND hwnd, UINT cmd);
TARN_API HWND GetDesktopWindow();
TARN_API DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
TARN_API BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);
TARN_API BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
// Top-level windows of this process by class (any case) and caption (exact); null matches any.
TARN_API HWND FindWindowW(const wchar_t* className, const wchar_t* windowName);
TARN_API HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                            const wchar_t* windowName);

// Window words, text and properties.
TARN_API LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
TARN_API LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
TARN_API LONG GetWindowLongW(HWND hwnd, int index);
TARN_API LONG SetWindowLongW(HWND hwnd, int index, LONG value);
TARN_API BOOL SetWindowTextW(HWND hwnd, const wchar_t* text);
TARN_API int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount);
TARN_API int GetWindowTextLengthW(HWND hwnd);
TARN_API BOOL SetPropW(HWND hwnd, const wchar_t* name, HANDLE data);
TARN_API HANDLE GetPropW(HWND hwnd, const wchar_t* name);
TARN_API HANDLE RemovePropW(HWND hwnd, const wchar_t* name);

// Geometry, visibility and z-order.
TARN_API BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
TARN_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
TARN_API BOOL BringWindowToTop(HWND hwnd);
TARN_API BOOL GetWindowRect(HWND hwnd, RECT* rect);
TARN_API BOOL GetClientRect(HWND hwnd, RECT* rect);
TARN_API BOOL ClientToScreen(HWND hwnd, POINT* point);
TARN_API BOOL ScreenToClient(HWND hwnd, POINT* point);
TARN_API int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
TARN_API BOOL ShowWindow(HWND hwnd, int cmd);
TARN_API BOOL IsWindowVisible(HWND hwnd);
TARN_API BOOL IsIconic(HWND hwnd);
TARN_API BOOL IsZoomed(HWND hwnd);
TARN_API HWND WindowFromPoint(POINT screen);
TARN_API HWND ChildWindowFromPoint(HWND parent, POINT client);

// Monitors and metrics.
TARN_API HMONITOR MonitorFromPoint(POINT point, DWORD flags);
TARN_API HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
TARN_API HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
TARN_API BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);
TARN_API int GetSystemMetrics(int index);
TARN_API UINT GetDoubleClickTime();
// Centres hwnd as dialogs are centred: on the parent's client area for a child; otherwise on the
// reference window when it is visible and not minimised, else on the work area of the monitor
// nearest to hwnd; then kept inside that area. Moves without sizing, activating or reordering.
TARN_API BOOL CenterWindowOn(HWND hwnd, HWND reference);

// Activation, focus, capture and enable.
TARN_API HWND SetActiveWindow(HWND hwnd);
TARN_API HWND GetActiveWindow();
TARN_API BOOL SetForegroundWindow(HWND hwnd);
TARN_API HWND GetForegroundWindow();
TARN_API HWND SetFocus(HWND hwnd);
TARN_API HWND GetFocus();
TARN_API HWND SetCapture(HWND hwnd);
TARN_API BOOL ReleaseCapture();
TARN_API HWND GetCapture();
TARN_API BOOL EnableWindow(HWND hwnd, BOOL enable);
TARN_API BOOL IsWindowEnabled(HWND hwnd);

// Input state.
TARN_API SHORT GetKeyState(int vk);
TARN_API SHORT GetAsyncKeyState(int vk);
TARN_API BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
TARN_API BOOL GetCursorPos(POINT* point);
TARN_API BOOL SetCursorPos(int x, int y);
TARN_API HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name);
TARN_API HCURSOR SetCursor(HCURSOR cursor);
TARN_API HCURSOR GetCursor();

// Messages.
TARN_API LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
TARN_API LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
TARN_API LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
TARN_API BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
TARN_API BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
TARN_API void PostQuitMessage(int exitCode);
// 1 for a message, 0 for WM_QUIT, -1 for a filter window that is not a window.
TARN_API BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
TARN_API BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
TARN_API BOOL TranslateMessage(const MSG* msg);
TARN_API LRESULT DispatchMessageW(const MSG* msg);
TARN_API BOOL WaitMessage();
TARN_API DWORD GetMessageTime();
TARN_API DWORD GetMessagePos();

// File-descriptor watches of the calling thread's loop: the callback runs on that thread while
// it waits for or peeks at messages. 0 when fd is negative or the callback is empty.
using FdCallback = std::function<void(int fd, short revents)>;
TARN_API UINT WatchFd(int fd, short events, FdCallback callback);
TARN_API BOOL UnwatchFd(UINT watchId);

// Painting.
TARN_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
TARN_API BOOL ValidateRect(HWND hwnd, const RECT* rect);
TARN_API BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
TARN_API BOOL UpdateWindow(HWND hwnd);
TARN_API HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
TARN_API BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// Timers.
TARN_API UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
TARN_API BOOL KillTimer(HWND hwnd, UINT_PTR id);
TARN_API DWORD GetTickCount();
TARN_API uint64_t GetTickCount64();
TARN_API void Sleep(DWORD ms);
// The multimedia timer family. Ticks run on the thread that called timeSetEvent, through its
// message loop; timeKillEvent from another thread waits for a tick in progress to finish.
TARN_API UINT timeGetDevCaps(TIMECAPS* caps, UINT size);
TARN_API UINT timeBeginPeriod(UINT period);
TARN_API UINT timeEndPeriod(UINT period);
TARN_API DWORD timeGetTime();
TARN_API UINT timeSetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                           UINT flags);
TARN_API UINT timeKillEvent(UINT timerId);

} // namespace tarn
