#include "tarnui/platform/menu/MenuTracker.h"

#include "tarnui/platform/KeyboardCapture.h"
#include "tarnui/platform/menu/MenuPlacement.h"
#include "tarnui/platform/menu/MenuTable.h"
#include "tarnui/platform/menu/MenuWindow.h"

#include <atomic>

namespace tarn {

namespace {

std::atomic<MenuSession*> g_current{nullptr};

bool IsKey(UINT msg)
{
    return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR || msg == WM_SYSCHAR;
}

// Dispatches until the session ends; answers the code of a WM_QUIT that ended it early.
std::optional<int> RunLoop(MenuSession& s)
{
    while (!s.done) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            s.End(std::nullopt);
            return static_cast<int>(msg.wParam);
        }
        if (got < 0)
            break;
        // The menu takes the keyboard while it is open, wherever the focus is.
        if (IsKey(msg.message) && s.window) {
            // Its characters go to the menu too, so none is left over for the owner.
            msg.hwnd = s.window;
            TranslateMessage(&msg);
            MenuWindow::Key(s, msg.message, msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!IsWindow(s.owner))
            s.End(std::nullopt);
    }
    return std::nullopt;
}

// Keys of the keyboard grab, as the menu window would have them.
void CapturedToMenu(MenuSession& s, const CapturedKey& key)
{
    if (key.message != WM_KEYDOWN && key.message != WM_SYSKEYDOWN)
        return;
    const DWORD vk = key.vkCode == VK_LMENU || key.vkCode == VK_RMENU ? VK_MENU : key.vkCode;
    MenuWindow::Key(s, WM_KEYDOWN, vk);
    // Mnemonics by key position: letters and digits.
    if (!s.done && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
        MenuWindow::Key(s, WM_CHAR, vk >= 'A' ? vk - 'A' + 'a' : vk);
}

} // namespace

BOOL MenuTracker::Track(HMENU menu, UINT flags, POINT at, HWND owner, const TPMPARAMS* params)
{
    if (!IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!MenuTable::Get().Exists(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    MenuSession s;
    s.source = menu;
    s.owner = owner;
    s.flags = flags;
    MenuSession* none = nullptr;
    if (!g_current.compare_exchange_strong(none, &s)) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    const bool notify = !(flags & TPM_NONOTIFY);
    if (notify) {
        SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
        // The owner may still change the items here.
        SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
    auto items = MenuTable::Get().Items(menu);
    HWND window = nullptr;
    if (items && !items->empty() && IsWindow(owner)) {
        s.items = std::move(*items);
        s.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        s.layout = MenuLayout::Measure(s.items, s.font);
        MONITORINFO info;
        GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info);
        const RECT place = MenuPlacement::Place(s.layout.Size(), at, flags, params ? &params->rcExclude : nullptr,
                                                info.rcMonitor);
        window = MenuWindow::Create(s, place);
    }
    std::optional<int> quit;
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        // A menu opened from the tray has no window of ours with the keyboard focus: it takes
        // the keyboard while it is open. Without a display, keys come through the queue.
        auto keys = KeyboardCapture::Start([&s](const CapturedKey& key) { CapturedToMenu(s, key); });
        quit = RunLoop(s);
        keys.reset();
        if (IsWindow(window))
            DestroyWindow(window);
    } else if (items) {
        // Nothing to show: an empty menu, or the owner went away while it was told.
        SetLastError(ERROR_INVALID_PARAMETER);
    } else {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    }
    g_current = nullptr;
    if (notify && IsWindow(owner))
        SendMessageW(owner, WM_EXITMENULOOP, TRUE, 0);
    if (quit)
        PostQuitMessage(*quit);
    if (!window)
        return FALSE;
    if (flags & TPM_RETURNCMD)
        return s.chosen ? static_cast<BOOL>(*s.chosen) : 0;
    if (s.chosen)
        PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<int>(LOWORD(*s.chosen)), 0), 0);
    return TRUE;
}

bool MenuTracker::EndCurrent()
{
    MenuSession* s = g_current.load();
    if (!s)
        return false;
    s->End(std::nullopt);
    return true;
}

std::optional<RECT> MenuTracker::ItemRect(HMENU menu, UINT position)
{
    const MenuSession* s = g_current.load();
    if (!s || s->source != menu || !s->window || position >= s->layout.Count())
        return std::nullopt;
    RECT r = s->layout.Row(position);
    RECT w;
    GetWindowRect(s->window, &w);
    r.OffsetRect(w.left, w.top);
    return r;
}

} // namespace tarn
