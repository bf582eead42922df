#pragma once

#include "app/TextsListener.h"

namespace corvane {

// The settings and lighting page controls a factory reset puts back.
class ResetUi : public TextsListener {
public:
    virtual void SelectLanguage(int lcid) = 0;
    virtual void SelectFirstColourSet() = 0;
    virtual void SetAutostartCheck(bool checked) = 0;
};

} // namespace corvane
