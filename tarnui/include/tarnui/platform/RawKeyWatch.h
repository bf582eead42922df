#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <functional>
#include <memory>

namespace tarn {

// One key as raw input reports it: generic modifiers (VK_SHIFT, VK_CONTROL, VK_MENU), keypad
// Enter as VK_RETURN, message 256 for a press and 257 for a release.
struct RawKey {
    UINT virtualKey = 0;
    UINT makeCode = 0;
    UINT message = 0;
};

// Every key press and release of the desktop, also while none of our windows has the focus,
// for as long as the object lives (the key box while it edits).
class TARN_API RawKeyWatch {
public:
    using Callback = std::function<void(const RawKey&)>;
    // Null when no X11 session is open or the server lacks XInput 2.
    static std::unique_ptr<RawKeyWatch> Start(Callback callback);
    ~RawKeyWatch();
    RawKeyWatch(const RawKeyWatch&) = delete;
    RawKeyWatch& operator=(const RawKeyWatch&) = delete;

    struct State;

private:
    explicit RawKeyWatch(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace tarn
