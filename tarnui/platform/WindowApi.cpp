// Classes, creation and destruction, relations, window words, text and properties.
#include "tarnui/platform/Activation.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"

#include <algorithm>
#include <cstring>

namespace tarn {

namespace {

thread_local DWORD t_lastError = 0;

HWND const DesktopHandle = reinterpret_cast<HWND>(0x10010);

std::wstring PropKey(const wchar_t* name)
{
    if (IS_INTRESOURCE(name))
        return L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return name;
}

void InsertTopLevel(WindowCore& core, Window& w)
{
    auto& list = core.TopLevels();
    auto it = list.begin();
    if (!(w.exStyle & WS_EX_TOPMOST)) {
        while (it != list.end() && core.Find(*it) && (core.Find(*it)->exStyle & WS_EX_TOPMOST))
            ++it;
    }
    list.insert(it, w.handle);
}

void FreeWindow(HWND hwnd)
{
    auto& core = WindowCore::Get();
    std::shared_ptr<MessageQueue> queue;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return;
        if (Window* p = core.Find(w->parent))
            std::erase(p->children, hwnd);
        else
            std::erase(core.TopLevels(), hwnd);
        if (!w->IsChild())
            core.GetBackend().WindowDestroyed(hwnd);
        if (w->cls)
            --w->cls->windows;
        auto& ui = core.Ui();
        for (HWND* ref : {&ui.active, &ui.focus, &ui.capture, &ui.trackHwnd, &ui.clickHwnd}) {
            if (*ref == hwnd)
                *ref = nullptr;
        }
        const DWORD thread = w->threadId;
        core.Release(*w);
        lock.unlock();
        queue = core.QueueOf(thread);
    }
    if (queue)
        queue->Timers().KillWindow(hwnd);
}

void SendDestroyTree(HWND hwnd)
{
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        if (Window* w = core.Find(hwnd))
            children = w->children;
    }
    for (HWND c : children)
        SendDestroyTree(c);
}

void NcDestroyTree(HWND hwnd)
{
    std::vector<HWND> children;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        if (Window* w = core.Find(hwnd))
            children = w->children;
    }
    for (HWND c : children)
        NcDestroyTree(c);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    FreeWindow(hwnd);
}

// The Windows order: owned windows go first, then WM_DESTROY from the window down through its
// children, then WM_NCDESTROY from the deepest child up, the window itself last.
void DestroyTree(HWND hwnd, bool sendDestroy)
{
    auto& core = WindowCore::Get();
    std::vector<HWND> owned;
    bool visible = false;
    bool child = false;
    HWND parent = nullptr;
    LONG_PTR id = 0;
    bool notifyParent = false;
    {
        auto lock = core.Lock();
        std::vector<HWND> tree;
        core.CollectTree(hwnd, tree);
        for (HWND h : tree)
            core.Find(h)->destroying = true;
        for (HWND top : core.TopLevels()) {
            if (core.Find(top) && core.Find(top)->owner == hwnd)
                owned.push_back(top);
        }
        Window* w = core.Find(hwnd);
        visible = (w->style & WS_VISIBLE) != 0;
        child = w->IsChild();
        parent = w->parent;
        id = w->id;
        notifyParent = child && !(w->exStyle & WS_EX_NOPARENTNOTIFY);
    }
    for (HWND o : owned)
        DestroyWindow(o);
    if (visible && sendDestroy)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!child && GetActiveWindow() == hwnd)
        Activation::ActivateOther(hwnd);
    Activation::DropFocusAndCapture(hwnd);
    if (notifyParent && sendDestroy)
        SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(WM_DESTROY), static_cast<int>(id)),
                     reinterpret_cast<LPARAM>(hwnd));
    if (sendDestroy)
        SendDestroyTree(hwnd);
    NcDestroyTree(hwnd);
}

} // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }
DWORD GetCurrentThreadId() { return WindowCore::ThisThreadId(); }

namespace {

ATOM RegisterAnyClass(const WNDCLASSEXW& wc, bool system)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    DWORD error = 0;
    const ATOM atom = core.Classes().Register(wc, system, error);
    if (!atom)
        SetLastError(error);
    return atom;
}

} // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* wc)
{
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return RegisterAnyClass(*wc, false);
}

ATOM RegisterSystemClassW(const WNDCLASSEXW* wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return RegisterAnyClass(*wc, true);
}

BOOL UnregisterClassW(const wchar_t* className, HINSTANCE instance)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    DWORD error = 0;
    if (core.Classes().Unregister(className, instance, error))
        return TRUE;
    SetLastError(error);
    return FALSE;
}

BOOL GetClassInfoExW(HINSTANCE instance, const wchar_t* className, WNDCLASSEXW* out)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    auto cls = core.Classes().Find(className, instance);
    if (!cls || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *out = cls->wc;
    return TRUE;
}

int GetClassNameW(HWND hwnd, wchar_t* buffer, int maxCount)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w || !buffer || maxCount <= 0) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const auto n = std::min(w->cls->name.size(), static_cast<size_t>(maxCount - 1));
    std::copy_n(w->cls->name.begin(), n, buffer);
    buffer[n] = 0;
    return static_cast<int>(n);
}

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    auto& core = WindowCore::Get();
    core.ThisQueue();
    HWND hwnd = nullptr;
    const bool child = (style & WS_CHILD) != 0;
    {
        auto lock = core.Lock();
        auto cls = core.Classes().Find(className, instance);
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        Window* parentWindow = parent ? core.Find(parent) : nullptr;
        if (parent && !parentWindow) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (child && !parentWindow) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        const auto monitors = core.GetBackend().Monitors();
        const RECT work = monitors.empty() ? RECT(0, 0, 1024, 768) : monitors.front().work;
        if (x == CW_USEDEFAULT) {
            x = child ? 0 : work.left;
            y = child ? 0 : work.top;
        }
        if (width == CW_USEDEFAULT) {
            width = child ? 0 : work.Width() / 2;
            height = child ? 0 : work.Height() / 2;
        }
        Window& w = core.Allocate();
        hwnd = w.handle;
        w.threadId = WindowCore::ThisThreadId();
        w.cls = cls;
        ++cls->windows;
        w.proc = cls->wc.lpfnWndProc;
        w.instance = instance;
        w.menu = child ? nullptr : menu;
        w.id = child ? static_cast<LONG_PTR>(reinterpret_cast<uintptr_t>(menu)) : 0;
        w.text = windowName ? windowName : L"";
        w.style = style & ~WS_VISIBLE & ~WS_MINIMIZE & ~WS_MAXIMIZE;
        w.exStyle = exStyle;
        w.parent = child ? parent : nullptr;
        w.owner = (!child && parentWindow) ? core.RootOf(parent) : nullptr;
        w.extra.assign(static_cast<size_t>(cls->wc.cbWndExtra), 0);
        w.rect = RECT(x, y, x + std::max(0, width), y + std::max(0, height));
        w.normalRect = w.rect;
        if (child) {
            parentWindow->children.insert(parentWindow->children.begin(), hwnd);
        } else {
            InsertTopLevel(core, w);
            core.GetBackend().WindowCreated(hwnd, w.style, w.exStyle);
            core.GetBackend().GeometryChanged(hwnd, w.rect);
        }
    }

    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = std::max(0, width);
    cs.cy = std::max(0, height);
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (!child) {
        MINMAXINFO mmi;
        const int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        mmi.ptMaxSize = POINT(vw, vh);
        mmi.ptMaxTrackSize = POINT(vw, vh);
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        const int cx = std::clamp(cs.cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        const int cy = std::clamp(cs.cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        if (cx != cs.cx || cy != cs.cy) {
            cs.cx = cx;
            cs.cy = cy;
            auto lock = core.Lock();
            if (Window* w = core.Find(hwnd)) {
                w->rect = RECT(POINT(x, y), SIZE(cx, cy));
                w->normalRect = w->rect;
                core.GetBackend().GeometryChanged(hwnd, w->rect);
            }
        }
    }
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (IsWindow(hwnd))
            DestroyTree(hwnd, false);
        return nullptr;
    }
    NCCALCSIZE_PARAMS calc;
    calc.rgrc[0] = RECT(POINT(x, y), SIZE(cs.cx, cs.cy));
    SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc.rgrc[0]));
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cs.cx, cs.cy));
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if (child && !(exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<int>(WM_CREATE), static_cast<int>(reinterpret_cast<uintptr_t>(menu))),
                     reinterpret_cast<LPARAM>(hwnd));
    if (style & WS_MAXIMIZE)
        ShowWindow(hwnd, (style & WS_VISIBLE) ? SW_SHOWMAXIMIZED : SW_MAXIMIZE);
    else if (style & WS_MINIMIZE)
        ShowWindow(hwnd, SW_SHOWMINIMIZED);
    else if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    auto& core = WindowCore::Get();
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->threadId != WindowCore::ThisThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        // A window already on its way out (DestroyWindow from its own WM_DESTROY) is not
        // destroyed twice.
        if (w->destroying)
            return FALSE;
    }
    DestroyTree(hwnd, true);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    if (hwnd == DesktopHandle)
        return TRUE;
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return core.Find(hwnd) ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    for (Window* w = core.Find(hwnd); w && w->IsChild(); w = core.Find(w->parent)) {
        if (w->parent == parent)
            return TRUE;
    }
    return FALSE;
}

HWND GetParent(HWND hwnd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->IsChild() ? w->parent : DesktopHandle;
    case GA_ROOT:
        return core.RootOf(hwnd);
    case GA_ROOTOWNER: {
        HWND root = core.RootOf(hwnd);
        while (Window* r = core.Find(root)) {
            if (!r->owner)
                break;
            root = core.RootOf(r->owner);
        }
        return root;
    }
    default:
        return nullptr;
    }
}

HWND GetDesktopWindow() { return DesktopHandle; }

HWND GetWindow(HWND hwnd, UINT cmd)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (hwnd == DesktopHandle)
        return (cmd == GW_CHILD && !core.TopLevels().empty()) ? core.TopLevels().front() : nullptr;
    Window* w = core.Find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (cmd == GW_OWNER)
        return w->owner;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    Window* p = core.Find(w->parent);
    const auto& siblings = p ? p->children : core.TopLevels();
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return (it == siblings.end() || it + 1 == siblings.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == siblings.begin() || it == siblings.end()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (processId)
        *processId = w ? static_cast<DWORD>(getpid()) : 0;
    return w ? w->threadId : 0;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param)
{
    std::vector<HWND> list;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        list = core.TopLevels();
    }
    for (HWND h : list) {
        if (IsWindow(h) && !proc(h, param))
            return FALSE;
    }
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param)
{
    std::vector<HWND> list;
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        core.CollectTree(parent, list);
    }
    for (size_t i = 1; i < list.size(); ++i) {
        if (IsWindow(list[i]) && !proc(list[i], param))
            return FALSE;
    }
    return TRUE;
}

HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className, const wchar_t* windowName)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    std::shared_ptr<WindowClass> wanted;
    if (className) {
        wanted = core.Classes().Find(className, nullptr);
        if (!wanted) {
            // The class may belong to any instance: compare names instead.
            for (HWND h : core.AllWindows()) {
                Window* w = core.Find(h);
                if (!IS_INTRESOURCE(className) && w->cls->name.size() == std::wcslen(className)
                    && std::equal(w->cls->name.begin(), w->cls->name.end(), className,
                                  [](wchar_t a, wchar_t b) { return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b)); })) {
                    wanted = w->cls;
                    break;
                }
            }
        }
        if (!wanted)
            return nullptr;
    }
    Window* p = (parent && parent != DesktopHandle) ? core.Find(parent) : nullptr;
    if (parent && parent != DesktopHandle && !p)
        return nullptr;
    const auto list = p ? p->children : core.TopLevels();
    auto it = list.begin();
    if (childAfter) {
        it = std::find(list.begin(), list.end(), childAfter);
        if (it != list.end())
            ++it;
    }
    for (; it != list.end(); ++it) {
        Window* w = core.Find(*it);
        if (!w)
            continue;
        const bool classMatches = !wanted || w->cls == wanted
                                  || (!IS_INTRESOURCE(className) && w->cls->name.size() == wanted->name.size()
                                      && std::equal(w->cls->name.begin(), w->cls->name.end(), wanted->name.begin(),
                                                    [](wchar_t a, wchar_t b) { return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b)); }));
        if (classMatches && (!windowName || w->text == windowName))
            return *it;
    }
    return nullptr;
}

HWND FindWindowW(const wchar_t* className, const wchar_t* windowName)
{
    return FindWindowExW(nullptr, nullptr, className, windowName);
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    default: break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG_PTR value = 0;
    std::memcpy(&value, w->extra.data() + index, sizeof value);
    return value;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    auto& core = WindowCore::Get();
    STYLESTRUCT change;
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        LONG_PTR old = 0;
        switch (index) {
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(w->proc);
            if (value == 0) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
            w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWLP_HINSTANCE:
            old = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        case GWLP_HWNDPARENT:
            if (w->IsChild())
                return reinterpret_cast<LONG_PTR>(w->parent);
            old = reinterpret_cast<LONG_PTR>(w->owner);
            w->owner = core.RootOf(reinterpret_cast<HWND>(value));
            return old;
        case GWLP_ID:
            old = w->id;
            w->id = value;
            return old;
        case GWLP_USERDATA:
            old = w->userData;
            w->userData = value;
            return old;
        case GWL_STYLE:
        case GWL_EXSTYLE:
            change.styleOld = index == GWL_STYLE ? w->style : w->exStyle;
            change.styleNew = static_cast<DWORD>(value);
            break;
        default:
            if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
            }
            std::memcpy(&old, w->extra.data() + index, sizeof old);
            std::memcpy(w->extra.data() + index, &value, sizeof value);
            return old;
        }
    }
    SendMessageW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    {
        auto lock = core.Lock();
        Window* w = core.Find(hwnd);
        if (!w)
            return 0;
        (index == GWL_STYLE ? w->style : w->exStyle) = change.styleNew;
        if (!w->IsChild())
            core.GetBackend().StyleChanged(hwnd, w->style, w->exStyle);
    }
    SendMessageW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG_PTR>(change.styleOld);
}

LONG GetWindowLongW(HWND hwnd, int index)
{
    return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value)
{
    const bool word = index == GWL_STYLE || index == GWL_EXSTYLE;
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, word ? static_cast<LONG_PTR>(static_cast<DWORD>(value)) : value));
}

BOOL SetWindowTextW(HWND hwnd, const wchar_t* text)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount)
{
    if (!buffer || maxCount <= 0)
        return 0;
    buffer[0] = 0;
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetPropW(HWND hwnd, const wchar_t* name, HANDLE data)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w || !name) {
        SetLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    w->props[PropKey(name)] = data;
    return TRUE;
}

HANDLE GetPropW(HWND hwnd, const wchar_t* name)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w || !name)
        return nullptr;
    auto it = w->props.find(PropKey(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropW(HWND hwnd, const wchar_t* name)
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    Window* w = core.Find(hwnd);
    if (!w || !name)
        return nullptr;
    auto it = w->props.find(PropKey(name));
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

} // namespace tarn
