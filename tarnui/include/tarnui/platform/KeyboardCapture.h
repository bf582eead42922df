#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <functional>
#include <memory>

namespace tarn {

// One key as a low-level keyboard hook reports it.
struct CapturedKey {
    UINT message = 0;   // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    DWORD vkCode = 0;   // sided modifiers (VK_LSHIFT ...); keypad keys with Num Lock off
                        // report the navigation keys, not flagged extended
    DWORD scanCode = 0;
    DWORD flags = 0;    // 0x01 extended, 0x20 Alt down, 0x80 released
    DWORD time = 0;
};

// All keys of the keyboard to us and none to other programs, while the object lives (macro
// recording). Keys arrive on the UI thread through the callback, in order.
class TARN_API KeyboardCapture {
public:
    using Callback = std::function<void(const CapturedKey&)>;
    // Null when no X11 session is open, a capture already runs or another program holds a
    // keyboard grab: then nothing is recorded, and nothing else changes.
    static std::unique_ptr<KeyboardCapture> Start(Callback callback);
    ~KeyboardCapture();
    KeyboardCapture(const KeyboardCapture&) = delete;
    KeyboardCapture& operator=(const KeyboardCapture&) = delete;

    struct State;

private:
    explicit KeyboardCapture(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace tarn
