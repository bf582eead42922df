#include "catalogue/LayoutParse.h"

#include "catalogue/LayoutState.h"
#include "tarnui/platform/Numbers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvane {

MatrixPosition ParseRowCol(std::wstring_view text)
{
    if (text.size() < 2)
        return {};
    const int row = tarn::ReadDecimal(text.substr(0, 1));
    const int col = tarn::ReadDecimal(text.size() == 3 ? text.substr(2) : text.substr(text.size() - 2));
    if (row < 0 || row >= LayoutState::MatrixRows || col < 0 || col >= LayoutState::MatrixCols)
        return {};
    return {row, col};
}

namespace {

int SaturatedSum(int a, int b)
{
    const int64_t sum = int64_t{a} + b;
    return static_cast<int>(std::clamp<int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

tarn::CRect ParseKeyRect(std::wstring_view text)
{
    auto next = [&text]() {
        const size_t at = text.find(L'#');
        if (at == std::wstring_view::npos)
            return 0;
        const int value = tarn::ReadDecimal(text.substr(0, at));
        text.remove_prefix(at + 1);
        return value;
    };
    const int x = next();
    const int y = next();
    const int width = next();
    const int height = tarn::ReadDecimal(text);
    return RectFromSize(x, y, width, height);
}

tarn::CRect RectFromSize(int x, int y, int width, int height)
{
    return {x, y, SaturatedSum(x, width), SaturatedSum(y, height)};
}

} // namespace corvane
