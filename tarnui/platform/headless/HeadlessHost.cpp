#include "tarnui/platform/HeadlessHost.h"

#include "tarnui/platform/InputRouter.h"
#include "tarnui/platform/MessageLoop.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/headless/HeadlessBackend.h"
#include "tarnui/platform/headless/VirtualClock.h"

#include <algorithm>
#include <cwctype>

namespace tarn {

struct HeadlessHost::State {
    VirtualClock clock{10000};
    HeadlessBackend backend{&clock};
    Clock* previousClock = nullptr;
    Backend* previousBackend = nullptr;
    int quitCode = 0;
};

namespace {

void ResetCore()
{
    auto& core = WindowCore::Get();
    {
        auto lock = core.Lock();
        core.Ui() = UiState();
        core.Classes().ClearUserClasses();
    }
    core.ThisQueue()->Clear();
}

void DestroyOwnWindows()
{
    auto& core = WindowCore::Get();
    for (int round = 0; round < 64; ++round) {
        HWND next = nullptr;
        {
            auto lock = core.Lock();
            for (HWND h : core.TopLevels()) {
                if (core.Find(h)->threadId == WindowCore::ThisThreadId()) {
                    next = h;
                    break;
                }
            }
        }
        if (!next || !DestroyWindow(next))
            return;
    }
}

} // namespace

HeadlessHost::HeadlessHost() : m_state(std::make_unique<State>())
{
    m_state->previousClock = Clock::Install(&m_state->clock);
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        m_state->previousBackend = core.InstallBackend(&m_state->backend);
    }
    ResetCore();
}

HeadlessHost::~HeadlessHost()
{
    DestroyOwnWindows();
    ResetCore();
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        core.InstallBackend(m_state->previousBackend);
    }
    Clock::Install(m_state->previousClock);
}

void HeadlessHost::SetMonitors(std::vector<Monitor> monitors)
{
    std::vector<MonitorDesc> descs;
    for (const auto& m : monitors)
        descs.push_back({m.rect, m.work});
    m_state->backend.SetMonitors(std::move(descs));
}

void HeadlessHost::MoveMouse(POINT screen) { InputRouter::PointerMoved(screen); }
void HeadlessHost::Press(UINT button) { InputRouter::Button(button, true); }
void HeadlessHost::Release(UINT button) { InputRouter::Button(button, false); }

void HeadlessHost::Click(POINT screen, UINT button)
{
    MoveMouse(screen);
    Press(button);
    Release(button);
}

void HeadlessHost::Wheel(int delta) { InputRouter::Wheel(delta); }

void HeadlessHost::KeyDown(UINT vk, wchar_t ch, UINT scanCode, bool extended)
{
    InputRouter::Key(vk, scanCode, extended, true, ch);
}

void HeadlessHost::KeyUp(UINT vk, UINT scanCode, bool extended)
{
    InputRouter::Key(vk, scanCode, extended, false, 0);
}

void HeadlessHost::Type(std::wstring_view text)
{
    constexpr UINT VkPacket = 0xE7;
    for (wchar_t ch : text) {
        const auto upper = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
        const bool plain = (upper >= L'A' && upper <= L'Z') || (ch >= L'0' && ch <= L'9') || ch == L' ';
        const UINT vk = plain ? static_cast<UINT>(upper) : VkPacket;
        KeyDown(vk, ch);
        KeyUp(vk);
    }
}

void HeadlessHost::Activate(HWND hwnd) { InputRouter::FocusIn(hwnd); }
void HeadlessHost::ClickOutside() { InputRouter::FocusOut(); }
void HeadlessHost::CloseRequest(HWND hwnd) { InputRouter::CloseRequest(hwnd); }

bool HeadlessHost::PumpUntilIdle()
{
    for (int i = 0; i < 100000; ++i) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return true;
        if (msg.message == WM_QUIT) {
            m_state->quitCode = static_cast<int>(msg.wParam);
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return false;
}

void HeadlessHost::Advance(uint32_t ms)
{
    auto queue = WindowCore::Get().ThisQueue();
    const uint64_t target = m_state->clock.NowMs() + ms;
    for (int i = 0; i < 1000000; ++i) {
        PumpUntilIdle();
        auto next = MessageLoop::NextDue(*queue);
        const auto step = m_state->backend.NextStepTime();
        if (step && (!next || *step < *next))
            next = step;
        if (!next || *next > target)
            break;
        m_state->clock.AdvanceTo(*next);
        m_state->backend.RunDueSteps(m_state->clock.NowMs());
    }
    m_state->clock.AdvanceTo(target);
    PumpUntilIdle();
}

void HeadlessHost::Schedule(uint32_t delayMs, std::function<void()> fn)
{
    m_state->backend.Schedule(m_state->clock.NowMs() + delayMs, std::move(fn));
}

uint64_t HeadlessHost::Now() const { return m_state->clock.NowMs(); }
int HeadlessHost::QuitCode() const { return m_state->quitCode; }
bool HeadlessHost::Stalled() const { return m_state->backend.HasStalled(); }
HCURSOR HeadlessHost::Cursor() const { return m_state->backend.Cursor(); }

std::vector<uint32_t> HeadlessHost::Presented(HWND hwnd) const { return m_state->backend.Presented(hwnd); }

} // namespace tarn
