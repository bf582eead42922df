#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace tarn {

// The test driver of the in-memory backend. While one exists, every window of the process lives
// in memory, time is virtual and input comes only from these calls. Input is delivered on the
// calling thread, which must be the thread of the windows it reaches. Destroying the host
// destroys the windows left over and forgets classes, timers and queued messages, so each test
// starts clean.
class TARN_API HeadlessHost {
public:
    struct Monitor {
        RECT rect;
        RECT work;
    };

    // One 1920 x 1080 monitor with a 40-pixel panel at the bottom; virtual time starts at 10 s.
    HeadlessHost();
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // The first monitor is the primary one. An empty list keeps the current monitors.
    void SetMonitors(std::vector<Monitor> monitors);

    // Pointer, buttons (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) and wheel, in screen coordinates.
    void MoveMouse(POINT screen);
    void Press(UINT button = 0x01);
    void Release(UINT button = 0x01);
    void Click(POINT screen, UINT button = 0x01);
    void Wheel(int delta);
    // Keys by virtual-key code; ch is the character the press types (0 for none).
    void KeyDown(UINT vk, wchar_t ch = 0, UINT scanCode = 0, bool extended = false);
    void KeyUp(UINT vk, UINT scanCode = 0, bool extended = false);
    // Presses and releases one key per character.
    void Type(std::wstring_view text);

    // What a window manager would report: focus given to one of our windows, focus moved to
    // some other program, and the close button of a window.
    void Activate(HWND hwnd);
    void ClickOutside();
    void CloseRequest(HWND hwnd);

    // Moves virtual time on by ms, stopping at every timer due on the way and pumping there.
    void Advance(uint32_t ms);
    // Dispatches everything that is ready now. False when a WM_QUIT was taken (its code is in
    // QuitCode()) or the pump made no progress after many rounds.
    bool PumpUntilIdle();
    // Runs fn when a blocking message loop of this thread would otherwise wait and virtual
    // time reaches now + delayMs; this is how tests act inside modal loops.
    void Schedule(uint32_t delayMs, std::function<void()> fn);

    uint64_t Now() const;
    int QuitCode() const;
    // True when a blocking wait found nothing to do for a long while and ended the loop with
    // WM_QUIT instead of hanging the test.
    bool Stalled() const;
    HCURSOR Cursor() const;
    // The pixels last presented for a top-level window (premultiplied ARGB, row by row).
    std::vector<uint32_t> Presented(HWND hwnd) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace tarn
