// Update regions and the paint cycle. BeginPaint's device context draws into the window's
// backing pixels (Backend::Backing); EndPaint presents what it covers.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/gdi/PaintDc.h"

namespace tarn {

namespace {

void InvalidateLocked(WindowCore& core, HWND hwnd, const RECT* rect, bool erase)
{
    Window* w = core.Find(hwnd);
    const RECT client(POINT(), w->rect.Size());
    RECT area = rect ? *rect : client;
    if (!area.IntersectRect(area, client))
        return;
    w->update.Add(area);
    w->erase = w->erase || erase;
    // A parent that does not clip its children paints over them, so they repaint too.
    if (w->style & WS_CLIPCHILDREN)
        return;
    for (HWND c : w->children) {
        Window* cw = core.Find(c);
        if (!cw || !(cw->style & WS_VISIBLE))
            continue;
        RECT inChild = area;
        inChild.OffsetRect(-cw->rect.left, -cw->rect.top);
        InvalidateLocked(core, c, &inChild, erase);
    }
}

} // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    auto& core = WindowCore::Get();
    std::vector<DWORD> threads;
    {
        auto lock = core.Lock();
        std::vector<HWND> targets;
        if (!hwnd) {
            targets = core.TopLevels();
            rect = nullptr;
        } else if (core.Find(hwnd)) {
            targets.push_back(hwnd);
        } else {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        for (HWND h : targets) {
            InvalidateLocked(core, h, rect, erase != FALSE);
            threads.push_back(core.Find(h)->threadId);
        }
    }
    // Invalidation from another thread wakes the window's loop to paint.
    for (DWORD t : threads) {
        if (t != WindowCore::ThisThreadId())
            if (auto q = core.QueueOf(t))
                q->Wake();
    }
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (rect)
        w->update.Subtract(*rect);
    else
        w->update.Clear();
    if (w->update.IsEmpty())
        w->erase = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase)
{
    bool sendErase = false;
    BOOL any;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return FALSE;
        if (rect)
            *rect = w->update.Bounds();
        any = w->update.IsEmpty() ? FALSE : TRUE;
        sendErase = any && erase && w->erase;
        if (sendErase)
            w->erase = false;
    }
    if (sendErase)
        SendMessageW(hwnd, WM_ERASEBKGND, 0, 0);
    return any;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    if (!paint)
        return nullptr;
    *paint = PAINTSTRUCT();
    bool erase;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        paint->rcPaint = w->update.Bounds();
        erase = w->erase;
        w->update.Clear();
        w->erase = false;
    }
    paint->hdc = CreatePaintDc(hwnd, paint->rcPaint);
    if (erase)
        paint->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) ? FALSE : TRUE;
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
    if (!paint)
        return FALSE;
    FinishPaintDc(paint->hdc);
    return IsWindow(hwnd) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd)
{
    std::vector<HWND> dirty;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        if (!core.Find(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        std::vector<HWND> tree;
        core.CollectTree(hwnd, tree);
        for (HWND h : tree) {
            if (!core.Find(h)->update.IsEmpty() && core.IsVisibleLocked(h) && !core.IsIconicLocked(h))
                dirty.push_back(h);
        }
    }
    for (HWND h : dirty) {
        RECT r;
        if (GetUpdateRect(h, &r, FALSE))
            SendMessageW(h, WM_PAINT, 0, 0);
    }
    return TRUE;
}

} // namespace tarn
