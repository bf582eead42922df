#include "tarnui/platform/menu/MenuLayout.h"

#include <algorithm>

namespace tarn {

MenuLayout MenuLayout::Measure(const std::vector<MenuItem>& items, HFONT font)
{
    MenuLayout layout;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    // One line height for every item, so rows do not jump with their letters.
    RECT line(0, 0, 0, 0);
    DrawTextW(dc, L"Ag", -1, &line, DT_CALCRECT | DT_SINGLELINE);
    const int itemHeight = std::max(kMinItemHeight, line.Height() + 8);
    int widest = 0;
    for (const auto& item : items) {
        if (item.Separator() || item.text.empty())
            continue;
        RECT r(0, 0, 0, 0);
        DrawTextW(dc, item.text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max(widest, r.Width());
    }
    SelectObject(dc, old);
    DeleteDC(dc);

    const int width = std::max(kMinWidth, 2 * (kBorder + kRowInset) + kCheckColumn + widest + kRightMargin);
    int y = kBorder + kPadding;
    for (const auto& item : items) {
        const int h = item.Separator() ? kSeparatorHeight : itemHeight;
        layout.m_rows.emplace_back(kBorder + kRowInset, y, width - kBorder - kRowInset, y + h);
        y += h;
    }
    layout.m_size = SIZE(width, y + kPadding + kBorder);
    return layout;
}

int MenuLayout::HitTest(POINT client) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].PtInRect(client))
            return static_cast<int>(i);
    }
    return -1;
}

RECT MenuLayout::TextBox(const RECT& row)
{
    return RECT(row.left + kCheckColumn, row.top, row.right - kRightMargin, row.bottom);
}

} // namespace tarn
