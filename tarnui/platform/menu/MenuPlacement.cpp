#include "tarnui/platform/menu/MenuPlacement.h"

#include "tarnui/platform/Menu.h"

#include <algorithm>

namespace tarn {

namespace {

// The start of a span of length len at a point, aligned by first/centre/last, flipped to the
// other side of the point when it would leave [low, high), then kept inside it.
int Span(int at, int len, bool centre, bool last, int low, int high)
{
    int start = centre ? at - len / 2 : last ? at - len : at;
    if (!centre) {
        if (start + len > high && at - len >= low)
            start = at - len;
        else if (start < low && at + len <= high)
            start = at;
    }
    return std::max(low, std::min(start, high - len));
}

// Moves one axis of r out of [ex0, ex1): after it when it fits there, else before it.
int OutOf(int start, int len, int ex0, int ex1, int low, int high)
{
    if (start + len <= ex0 || start >= ex1)
        return start;
    if (ex1 + len <= high)
        return ex1;
    if (ex0 - len >= low)
        return ex0 - len;
    return start;
}

} // namespace

RECT MenuPlacement::Place(SIZE size, POINT at, UINT flags, const RECT* exclude, const RECT& monitor)
{
    int x = Span(at.x, size.cx, (flags & TPM_CENTERALIGN) != 0, (flags & TPM_RIGHTALIGN) != 0, monitor.left,
                 monitor.right);
    int y = Span(at.y, size.cy, (flags & TPM_VCENTERALIGN) != 0, (flags & TPM_BOTTOMALIGN) != 0, monitor.top,
                 monitor.bottom);
    RECT r(x, y, x + size.cx, y + size.cy);
    RECT overlap;
    if (exclude && overlap.IntersectRect(r, *exclude)) {
        if (flags & TPM_VERTICAL)
            y = OutOf(y, size.cy, exclude->top, exclude->bottom, monitor.top, monitor.bottom);
        else
            x = OutOf(x, size.cx, exclude->left, exclude->right, monitor.left, monitor.right);
        r = RECT(x, y, x + size.cx, y + size.cy);
    }
    return r;
}

} // namespace tarn
