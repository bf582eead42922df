#pragma once

#include "tarnui/platform/RectRegion.h"
#include "tarnui/platform/WinTypes.h"
#include "tarnui/platform/WindowClass.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tarn {

// The core's record of one window. Guarded by the core mutex; never handed out as a pointer.
struct Window {
    HWND handle = nullptr;
    uint32_t generation = 0;
    bool alive = false;
    bool destroying = false;
    DWORD threadId = 0;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HMENU menu = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HWND owner = nullptr;
    std::vector<HWND> children; // top of the z-order first
    RECT rect;                  // in the parent's client coordinates; screen for top-level
    RECT normalRect;            // the restored rect while maximised
    std::map<std::wstring, HANDLE> props;
    std::vector<uint8_t> extra; // the class's cbWndExtra bytes
    RectRegion update;
    bool erase = false;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;

    bool IsChild() const { return (style & 0x40000000u) != 0; }
};

} // namespace tarn
