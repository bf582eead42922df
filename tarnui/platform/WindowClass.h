#pragma once

#include "tarnui/platform/WinTypes.h"

#include <string>

namespace tarn {

struct WindowClass {
    std::wstring name;
    WNDCLASSEXW wc;
    ATOM atom = 0;
    bool system = false;
    int windows = 0;
};

} // namespace tarn
