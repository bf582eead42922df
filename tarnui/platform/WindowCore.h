#pragma once

#include "tarnui/platform/Backend.h"
#include "tarnui/platform/ClassRegistry.h"
#include "tarnui/platform/MessageQueue.h"
#include "tarnui/platform/UiState.h"
#include "tarnui/platform/Window.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tarn {

// The process-wide window core: the window table, classes, the thread queues, the backend and
// the input state. One mutex guards all of it; window procedures are always called with it
// released. Backend notifications are made with it held, so a backend never calls back from
// them.
class WindowCore {
public:
    static WindowCore& Get();

    std::unique_lock<std::mutex> Lock() { return std::unique_lock(m_mutex); }

    // The following need the lock.
    Window* Find(HWND hwnd);
    Window& Allocate();
    void Release(Window& window);
    std::vector<HWND>& TopLevels() { return m_topLevels; }
    ClassRegistry& Classes() { return m_classes; }
    UiState& Ui() { return m_ui; }
    Backend& GetBackend();
    std::vector<HWND> AllWindows() const;
    // The window and its descendants, parents first.
    void CollectTree(HWND hwnd, std::vector<HWND>& out);
    HWND RootOf(HWND hwnd);
    bool IsVisibleLocked(HWND hwnd);
    RECT ScreenRectLocked(HWND hwnd);
    POINT ClientOriginLocked(HWND hwnd);
    bool IsIconicLocked(HWND hwnd);
    // The deepest visible window under a screen point; disabled children pass the point to
    // their parent. Null over no window of ours.
    HWND WindowAtLocked(POINT screen, HWND skip = nullptr);

    // Installs a backend (null restores the built-in one) and answers the previous.
    Backend* InstallBackend(Backend* backend);

    static DWORD ThisThreadId();
    std::shared_ptr<MessageQueue> ThisQueue();
    std::shared_ptr<MessageQueue> QueueOf(DWORD threadId);
    void ForgetQueue(DWORD threadId);

    UINT RegisterMultimedia(const std::shared_ptr<MessageQueue>& owner);
    std::shared_ptr<MessageQueue> MultimediaOwner(UINT id);
    void ForgetMultimedia(UINT id);

    // Calls the window procedure on the current thread.
    LRESULT CallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    WindowCore();

    std::mutex m_mutex;
    std::vector<std::unique_ptr<Window>> m_slots;
    std::vector<uint32_t> m_free;
    std::vector<HWND> m_topLevels; // top of the z-order first
    ClassRegistry m_classes;
    UiState m_ui;
    std::unique_ptr<Backend> m_builtin;
    Backend* m_backend = nullptr;
    std::map<DWORD, std::weak_ptr<MessageQueue>> m_queues;
    std::map<UINT, std::weak_ptr<MessageQueue>> m_multimedia;
    UINT m_lastMultimediaId = 0;
};

} // namespace tarn
