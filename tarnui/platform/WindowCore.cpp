#include "WindowCore.h"

#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <sys/syscall.h>
#include <unistd.h>

namespace tarn {

namespace {

constexpr uint64_t IndexMask = 0xFFFFFFFFull;

HWND Encode(uint32_t index, uint32_t generation)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>((static_cast<uint64_t>(generation) << 32) | (index + 1ull)));
}

// Ends the thread's queue with the thread: senders waiting on it are released.
struct QueueHolder {
    std::shared_ptr<MessageQueue> queue;
    ~QueueHolder()
    {
        if (queue) {
            WindowCore::Get().ForgetQueue(queue->ThreadId());
            queue->FailPendingSent();
        }
    }
};

thread_local QueueHolder t_queue;

} // namespace

WindowCore& WindowCore::Get()
{
    // Never destroyed: thread exits and late static destructors may still reach it.
    static WindowCore* core = new WindowCore();
    return *core;
}

WindowCore::WindowCore() : m_builtin(std::make_unique<HeadlessBackend>()) {}

Window* WindowCore::Find(HWND hwnd)
{
    const auto value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(hwnd));
    const auto generation = static_cast<uint32_t>(value >> 32);
    const auto index = value & IndexMask;
    if (generation == 0 || index == 0 || index > m_slots.size())
        return nullptr;
    Window* w = m_slots[static_cast<size_t>(index - 1)].get();
    return (w->alive && w->generation == generation) ? w : nullptr;
}

Window& WindowCore::Allocate()
{
    uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        index = static_cast<uint32_t>(m_slots.size());
        m_slots.push_back(std::make_unique<Window>());
    }
    auto& slot = m_slots[index];
    const uint32_t generation = slot->generation + 1;
    *slot = Window();
    slot->generation = generation;
    slot->alive = true;
    slot->handle = Encode(index, generation);
    return *slot;
}

void WindowCore::Release(Window& window)
{
    const auto index = static_cast<uint32_t>((reinterpret_cast<uintptr_t>(window.handle) & IndexMask) - 1);
    const uint32_t generation = window.generation;
    window = Window();
    // The generation survives, so the next window in this slot has a handle never seen before.
    window.generation = generation;
    m_free.push_back(index);
}

Backend& WindowCore::GetBackend()
{
    return m_backend ? *m_backend : *m_builtin;
}

Backend* WindowCore::InstallBackend(Backend* backend)
{
    Backend* previous = m_backend;
    m_backend = backend;
    return previous;
}

std::vector<HWND> WindowCore::AllWindows() const
{
    std::vector<HWND> out;
    for (const auto& w : m_slots) {
        if (w->alive)
            out.push_back(w->handle);
    }
    return out;
}

void WindowCore::CollectTree(HWND hwnd, std::vector<HWND>& out)
{
    Window* w = Find(hwnd);
    if (!w)
        return;
    out.push_back(hwnd);
    const auto children = w->children;
    for (HWND c : children)
        CollectTree(c, out);
}

HWND WindowCore::RootOf(HWND hwnd)
{
    Window* w = Find(hwnd);
    while (w && w->IsChild() && Find(w->parent)) {
        hwnd = w->parent;
        w = Find(hwnd);
    }
    return w ? hwnd : nullptr;
}

bool WindowCore::IsVisibleLocked(HWND hwnd)
{
    for (Window* w = Find(hwnd); w; w = w->IsChild() ? Find(w->parent) : nullptr) {
        if (!(w->style & WS_VISIBLE))
            return false;
    }
    return Find(hwnd) != nullptr;
}

POINT WindowCore::ClientOriginLocked(HWND hwnd)
{
    POINT origin;
    for (Window* w = Find(hwnd); w; w = w->IsChild() ? Find(w->parent) : nullptr)
        origin.Offset(w->rect.left, w->rect.top);
    return origin;
}

RECT WindowCore::ScreenRectLocked(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return RECT();
    return RECT(ClientOriginLocked(hwnd), w->rect.Size());
}

bool WindowCore::IsIconicLocked(HWND hwnd)
{
    Window* root = Find(RootOf(hwnd));
    return root && (root->style & WS_MINIMIZE);
}

HWND WindowCore::WindowAtLocked(POINT screen, HWND skip)
{
    for (HWND top : m_topLevels) {
        Window* w = Find(top);
        if (!w || top == skip || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || !w->rect.PtInRect(screen))
            continue;
        HWND found = top;
        POINT local(screen.x - w->rect.left, screen.y - w->rect.top);
        for (bool descended = true; descended;) {
            descended = false;
            for (HWND c : Find(found)->children) {
                Window* cw = Find(c);
                if (!cw || c == skip || !(cw->style & WS_VISIBLE) || (cw->style & WS_DISABLED) || !cw->rect.PtInRect(local))
                    continue;
                local.Offset(-cw->rect.left, -cw->rect.top);
                found = c;
                descended = true;
                break;
            }
        }
        return found;
    }
    return nullptr;
}

DWORD WindowCore::ThisThreadId()
{
    thread_local const DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
    return id;
}

std::shared_ptr<MessageQueue> WindowCore::ThisQueue()
{
    if (!t_queue.queue) {
        t_queue.queue = std::make_shared<MessageQueue>(ThisThreadId());
        auto lock = Lock();
        m_queues[ThisThreadId()] = t_queue.queue;
    }
    return t_queue.queue;
}

std::shared_ptr<MessageQueue> WindowCore::QueueOf(DWORD threadId)
{
    if (threadId == ThisThreadId())
        return ThisQueue();
    auto lock = Lock();
    auto it = m_queues.find(threadId);
    return it == m_queues.end() ? nullptr : it->second.lock();
}

void WindowCore::ForgetQueue(DWORD threadId)
{
    auto lock = Lock();
    m_queues.erase(threadId);
}

UINT WindowCore::RegisterMultimedia(const std::shared_ptr<MessageQueue>& owner)
{
    auto lock = Lock();
    do {
        ++m_lastMultimediaId;
    } while (m_lastMultimediaId == 0 || m_multimedia.count(m_lastMultimediaId));
    m_multimedia[m_lastMultimediaId] = owner;
    return m_lastMultimediaId;
}

std::shared_ptr<MessageQueue> WindowCore::MultimediaOwner(UINT id)
{
    auto lock = Lock();
    auto it = m_multimedia.find(id);
    return it == m_multimedia.end() ? nullptr : it->second.lock();
}

void WindowCore::ForgetMultimedia(UINT id)
{
    auto lock = Lock();
    m_multimedia.erase(id);
}

LRESULT WindowCore::CallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC proc = nullptr;
    {
        auto lock = Lock();
        if (Window* w = Find(hwnd))
            proc = w->proc;
    }
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

} // namespace tarn
