#include "tarnui/platform/menu/MenuPainter.h"

#include "tarnui/platform/gdiplus/Gdiplus.h"

namespace tarn {

namespace {

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void CheckMark(HDC dc, const RECT& row, COLORREF colour)
{
    gp::Graphics g(dc);
    g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    gp::Pen pen(gp::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour)), 1.6f);
    const auto cx = static_cast<gp::REAL>(row.left + MenuLayout::kCheckColumn / 2);
    const auto cy = static_cast<gp::REAL>(row.top + row.Height() / 2);
    g.DrawLine(&pen, cx - 5, cy, cx - 2, cy + 3);
    g.DrawLine(&pen, cx - 2, cy + 3, cx + 4, cy - 4);
}

} // namespace

void MenuPainter::Paint(HDC dc, const MenuSession& session)
{
    const SIZE size = session.layout.Size();
    Fill(dc, RECT(0, 0, size.cx, size.cy), kBorder);
    Fill(dc, RECT(MenuLayout::kBorder, MenuLayout::kBorder, size.cx - MenuLayout::kBorder, size.cy - MenuLayout::kBorder),
         kFace);
    HGDIOBJ oldFont = SelectObject(dc, session.font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < session.items.size() && i < session.layout.Count(); ++i) {
        const MenuItem& item = session.items[i];
        const RECT& row = session.layout.Row(i);
        if (item.Separator()) {
            const int mid = row.top + row.Height() / 2;
            Fill(dc, RECT(row.left, mid, row.right, mid + 1), kSeparator);
            continue;
        }
        if (static_cast<int>(i) == session.hot)
            Fill(dc, row, kHot);
        const COLORREF ink = item.Grayed() ? kGrayedText : kText;
        if (item.Checked())
            CheckMark(dc, row, ink);
        SetTextColor(dc, ink);
        RECT text = MenuLayout::TextBox(row);
        DrawTextW(dc, item.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);
}

} // namespace tarn
