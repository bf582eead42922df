#pragma once

#include "tarnui/platform/Backend.h"
#include "tarnui/platform/headless/VirtualClock.h"

#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace tarn {

// In-memory windows and pixels. Without a virtual clock it is the fallback of a process that
// has no display; with one it also runs the test driver's scheduled steps when a loop idles.
class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(VirtualClock* clock = nullptr);

    void SetMonitors(std::vector<MonitorDesc> monitors);
    std::vector<MonitorDesc> Monitors() const override;

    void WindowCreated(HWND hwnd, DWORD style, DWORD exStyle) override;
    void WindowDestroyed(HWND hwnd) override;
    void GeometryChanged(HWND hwnd, const RECT& screen) override;
    void VisibilityChanged(HWND hwnd, bool visible) override;
    void TitleChanged(HWND, std::wstring_view) override {}
    void CursorChanged(HCURSOR cursor) override;
    HCURSOR Cursor() const;

    PixelBuffer Backing(HWND hwnd) override;
    void Present(HWND hwnd, const RECT& area) override;
    std::vector<uint32_t> Presented(HWND hwnd) const;

    void Schedule(uint64_t at, std::function<void()> fn);
    std::optional<uint64_t> NextStepTime() const;
    // Runs the steps due at or before now, in the order they were scheduled.
    void RunDueSteps(uint64_t now);
    bool Idle(std::optional<uint64_t> dueMs) override;
    int StallTimeoutMs() const override { return m_clock ? 10000 : -1; }
    void Stalled() override;
    bool HasStalled() const;

private:
    struct Surface {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> backing;
        std::vector<uint32_t> presented;
    };
    struct Step {
        uint64_t at;
        uint64_t order;
        std::function<void()> fn;
    };

    VirtualClock* m_clock;
    mutable std::mutex m_mutex;
    std::vector<MonitorDesc> m_monitors;
    std::map<HWND, Surface> m_surfaces;
    HCURSOR m_cursor = nullptr;
    std::vector<Step> m_steps;
    uint64_t m_stepOrder = 0;
    bool m_stalled = false;
};

} // namespace tarn
