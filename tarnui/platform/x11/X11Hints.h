#pragma once

#include "tarnui/platform/x11/X11Connection.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarn {

// The window-manager hints of our top-levels (ICCCM and EWMH), set before a window is mapped
// or sent as requests while it is.
class X11Hints {
public:
    struct Role {
        bool tool = false;     // no taskbar or pager entry
        bool topmost = false;  // kept above normal windows
        bool dialog = false;   // owned: a dialog of its owner
        XWindow transientFor = 0;
    };

    static void SetTitle(const X11Connection& conn, XWindow w, std::wstring_view title);
    static void SetClass(const X11Connection& conn, XWindow w, const char* instance, const char* cls);
    static void SetProtocols(const X11Connection& conn, XWindow w);
    static void SetUndecorated(const X11Connection& conn, XWindow w);
    static void SetRole(const X11Connection& conn, XWindow w, const Role& role);
    // Position as the program asked for it (WMs honour it over their own placement); equal
    // minimum and maximum make the size fixed.
    static void SetPlacement(const X11Connection& conn, XWindow w, int x, int y, int width, int height, bool fixedSize);
    // Premultiplied ARGB images of any sizes, in the order given.
    struct Icon {
        int width = 0;
        int height = 0;
        std::vector<uint32_t> pixels;
    };
    static void SetIcons(const X11Connection& conn, XWindow w, const std::vector<Icon>& icons);
    // Asks the WM to activate a mapped window, as a pager would (passes focus-stealing rules).
    static void RequestActivation(const X11Connection& conn, XWindow w);
    // A move the WM drives from the current pointer position, when it announces support.
    static bool RequestMove(const X11Connection& conn, XWindow w, int rootX, int rootY);
    static bool Supports(const X11Connection& conn, const char* atomName);

    static std::string ToUtf8(std::wstring_view text);
};

} // namespace tarn
