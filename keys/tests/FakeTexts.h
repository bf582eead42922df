#pragma once

#include "keys/UiTexts.h"

namespace corvane {

// Text n reads "T<n>", so a test sees which number was asked for.
class FakeTexts : public UiTexts {
public:
    explicit FakeTexts(int language = English) : m_language(language) {}
    tarn::CString Text(int number) const override { return tarn::CString::Formatted(L"T%d", number); }
    int Language() const override { return m_language; }

private:
    int m_language;
};

} // namespace corvane
