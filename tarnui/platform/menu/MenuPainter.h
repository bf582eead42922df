#pragma once

#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/menu/MenuSession.h"

namespace tarn {

// The menu's light look: white face, grey border, a tinted row under the pointer or the keys,
// thin separators and check marks in the left column.
class MenuPainter {
public:
    static constexpr COLORREF kFace = RGB(255, 255, 255);
    static constexpr COLORREF kBorder = RGB(160, 160, 160);
    static constexpr COLORREF kHot = RGB(204, 228, 247);
    static constexpr COLORREF kSeparator = RGB(215, 215, 215);
    static constexpr COLORREF kText = RGB(0, 0, 0);
    static constexpr COLORREF kGrayedText = RGB(150, 150, 150);

    static void Paint(HDC dc, const MenuSession& session);
};

} // namespace tarn
