#pragma once

#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/menu/MenuItem.h"

#include <vector>

namespace tarn {

// Where each item of a menu sits in its window: rows top to bottom inside a 1-pixel border,
// as wide as the widest text plus the check column and a margin.
class MenuLayout {
public:
    static constexpr int kBorder = 1;
    static constexpr int kPadding = 3;       // between the border and the first and last row
    static constexpr int kRowInset = 2;      // of a row's highlight from the border
    static constexpr int kCheckColumn = 28;  // the check mark's room, left of the text
    static constexpr int kRightMargin = 24;
    static constexpr int kMinItemHeight = 22;
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kMinWidth = 120;

    static MenuLayout Measure(const std::vector<MenuItem>& items, HFONT font);

    SIZE Size() const { return m_size; }
    size_t Count() const { return m_rows.size(); }
    const RECT& Row(size_t index) const { return m_rows[index]; }
    // The row under a client point, -1 for none (border and padding included).
    int HitTest(POINT client) const;
    // Where an item's text goes inside its row.
    static RECT TextBox(const RECT& row);

private:
    std::vector<RECT> m_rows;
    SIZE m_size;
};

} // namespace tarn
