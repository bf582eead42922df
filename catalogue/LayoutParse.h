#pragma once

#include "tarnui/platform/CRect.h"

#include <string_view>

namespace corvane {

struct MatrixPosition {
    int row = -1;
    int col = -1;
    bool valid() const { return row >= 0 && col >= 0; }
};

// row_col: the row is the first character alone; the column the last character when the text
// has exactly three, else the last two ("0,5" and "0#5" give 0/5, "3,12" gives 3/12). Texts
// shorter than two characters and positions outside 8 x 32 give no position.
MatrixPosition ParseRowCol(std::wstring_view text);

// rect: x#y#width#height. Each of x, y and width is read up to the next "#"; when none is left
// that value is 0 and the text is kept for the next, so "100#50#40" has width 0 and height 40.
tarn::CRect ParseKeyRect(std::wstring_view text);

// (x, y, x + width, y + height) with edges that saturate instead of overflowing.
tarn::CRect RectFromSize(int x, int y, int width, int height);

} // namespace corvane
