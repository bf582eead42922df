#include "tarnui/platform/headless/HeadlessBackend.h"

#include "tarnui/platform/WinUser.h"

#include <algorithm>

namespace tarn {

HeadlessBackend::HeadlessBackend(VirtualClock* clock) : m_clock(clock)
{
    m_monitors.push_back({RECT(0, 0, 1920, 1080), RECT(0, 0, 1920, 1040)});
}

void HeadlessBackend::SetMonitors(std::vector<MonitorDesc> monitors)
{
    std::lock_guard lock(m_mutex);
    if (!monitors.empty())
        m_monitors = std::move(monitors);
}

std::vector<MonitorDesc> HeadlessBackend::Monitors() const
{
    std::lock_guard lock(m_mutex);
    return m_monitors;
}

void HeadlessBackend::WindowCreated(HWND hwnd, DWORD, DWORD)
{
    std::lock_guard lock(m_mutex);
    m_surfaces[hwnd];
}

void HeadlessBackend::WindowDestroyed(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    m_surfaces.erase(hwnd);
}

void HeadlessBackend::GeometryChanged(HWND hwnd, const RECT& screen)
{
    std::lock_guard lock(m_mutex);
    auto& s = m_surfaces[hwnd];
    const int w = std::max(0, screen.Width());
    const int h = std::max(0, screen.Height());
    if (w == s.width && h == s.height)
        return;
    s.width = w;
    s.height = h;
    s.backing.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    s.presented.assign(s.backing.size(), 0);
}

void HeadlessBackend::VisibilityChanged(HWND, bool) {}

void HeadlessBackend::CursorChanged(HCURSOR cursor)
{
    std::lock_guard lock(m_mutex);
    m_cursor = cursor;
}

HCURSOR HeadlessBackend::Cursor() const
{
    std::lock_guard lock(m_mutex);
    return m_cursor;
}

PixelBuffer HeadlessBackend::Backing(HWND hwnd)
{
    std::lock_guard lock(m_mutex);
    auto it = m_surfaces.find(hwnd);
    if (it == m_surfaces.end() || it->second.backing.empty())
        return {};
    auto& s = it->second;
    return {s.backing.data(), s.width, s.height, s.width};
}

void HeadlessBackend::Present(HWND hwnd, const RECT& area)
{
    std::lock_guard lock(m_mutex);
    auto it = m_surfaces.find(hwnd);
    if (it == m_surfaces.end())
        return;
    auto& s = it->second;
    RECT r;
    if (!r.IntersectRect(area, RECT(0, 0, s.width, s.height)))
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        const auto row = static_cast<size_t>(y) * static_cast<size_t>(s.width);
        std::copy(s.backing.begin() + static_cast<long>(row) + r.left, s.backing.begin() + static_cast<long>(row) + r.right,
                  s.presented.begin() + static_cast<long>(row) + r.left);
    }
}

std::vector<uint32_t> HeadlessBackend::Presented(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_surfaces.find(hwnd);
    return it == m_surfaces.end() ? std::vector<uint32_t>() : it->second.presented;
}

void HeadlessBackend::Schedule(uint64_t at, std::function<void()> fn)
{
    std::lock_guard lock(m_mutex);
    m_steps.push_back({at, ++m_stepOrder, std::move(fn)});
}

std::optional<uint64_t> HeadlessBackend::NextStepTime() const
{
    std::lock_guard lock(m_mutex);
    std::optional<uint64_t> next;
    for (const auto& s : m_steps) {
        if (!next || s.at < *next)
            next = s.at;
    }
    return next;
}

void HeadlessBackend::RunDueSteps(uint64_t now)
{
    for (;;) {
        std::unique_lock lock(m_mutex);
        auto next = std::min_element(m_steps.begin(), m_steps.end(), [](const Step& a, const Step& b) {
            return a.at != b.at ? a.at < b.at : a.order < b.order;
        });
        if (next == m_steps.end() || next->at > now)
            return;
        Step step = std::move(*next);
        m_steps.erase(next);
        lock.unlock();
        step.fn();
    }
}

bool HeadlessBackend::Idle(std::optional<uint64_t> dueMs)
{
    if (!m_clock)
        return false;
    std::unique_lock lock(m_mutex);
    auto next = std::min_element(m_steps.begin(), m_steps.end(), [](const Step& a, const Step& b) {
        return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
    if (next == m_steps.end() || (dueMs && *dueMs <= next->at)) {
        lock.unlock();
        if (!dueMs)
            return false;
        // An idle loop lets virtual time run on to its next timer.
        m_clock->AdvanceTo(*dueMs);
        return true;
    }
    Step step = std::move(*next);
    m_steps.erase(next);
    lock.unlock();
    m_clock->AdvanceTo(step.at);
    step.fn();
    return true;
}

void HeadlessBackend::Stalled()
{
    {
        std::lock_guard lock(m_mutex);
        m_stalled = true;
    }
    PostQuitMessage(-1);
}

bool HeadlessBackend::HasStalled() const
{
    std::lock_guard lock(m_mutex);
    return m_stalled;
}

} // namespace tarn
