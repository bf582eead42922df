#pragma once

#include "tarnui/platform/Export.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// The desktop clipboard (the CLIPBOARD selection) for text. A thread of its own with its own
// display connection serves paste requests, so they are answered while the UI thread sleeps
// or waits for the paste it just typed.
class TARN_API Clipboard {
public:
    // Null when the display (null: $DISPLAY) cannot be opened.
    static std::unique_ptr<Clipboard> Open(const char* displayName = nullptr);
    ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    // Offers text to other programs (as UTF8_STRING, TEXT and STRING) until another program
    // takes the clipboard or Release is called. False when the text is too long to send in
    // one piece or the service has stopped.
    bool SetText(std::wstring_view text);
    // Waits until a program fetched the text of the last SetText, at most timeoutMs.
    bool WaitServed(uint32_t timeoutMs);
    // Gives the clipboard up, if we still own it.
    void Release();
    bool Owned() const;
    // The clipboard's current text, whoever owns it; nothing when it is empty, holds no text or
    // its owner does not answer within timeoutMs.
    std::optional<std::wstring> ReadText(uint32_t timeoutMs = 1000) const;

    struct State;

private:
    explicit Clipboard(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace tarn
