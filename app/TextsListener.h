#pragma once

namespace corvane {

// The window side of a language change: takes every text from the language file again.
class TextsListener {
public:
    virtual ~TextsListener() = default;
    virtual void ApplyAllTexts() = 0;
};

} // namespace corvane
