#include "tarnui/platform/gdiplus/GraphicsPath.h"

#include "tarnui/platform/gdi/PathReplay.h"

#include <cwchar>

namespace tarn::gp {

namespace {

GraphicsPath::Item Make(GraphicsPath::Item::Kind kind, std::initializer_list<REAL> values)
{
    GraphicsPath::Item item(kind);
    size_t i = 0;
    for (REAL v : values)
        item.v[i++] = v;
    return item;
}

} // namespace

Status GraphicsPath::AddLine(REAL x1, REAL y1, REAL x2, REAL y2)
{
    m_items.push_back(Make(Item::Kind::Line, {x1, y1, x2, y2}));
    return Ok;
}

Status GraphicsPath::AddArc(REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)
{
    if (!(width > 0) || !(height > 0))
        return InvalidParameter;
    m_items.push_back(Make(Item::Kind::Arc, {x, y, width, height, startAngle, sweepAngle}));
    return Ok;
}

Status GraphicsPath::AddEllipse(REAL x, REAL y, REAL width, REAL height)
{
    if (!(width > 0) || !(height > 0))
        return InvalidParameter;
    m_items.push_back(Make(Item::Kind::Ellipse, {x, y, width, height}));
    return Ok;
}

Status GraphicsPath::AddRectangle(const RectF& rect)
{
    m_items.push_back(Make(Item::Kind::Rectangle, {rect.X, rect.Y, rect.Width, rect.Height}));
    return Ok;
}

Status GraphicsPath::AddString(const wchar_t* text, INT length, const FontFamily* family, INT style, REAL emSize,
                               const RectF& layout, const StringFormat* format)
{
    if (!text || !family || !(emSize > 0))
        return InvalidParameter;
    if (!family->IsAvailable())
        return FontFamilyNotFound;
    Item item = Make(Item::Kind::Text, {layout.X, layout.Y, layout.Width, layout.Height, emSize});
    item.text = length < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(length));
    item.family = *family;
    item.style = style;
    // Without a format a string is laid out near-aligned and unwrapped.
    item.format = format ? *format : StringFormat(StringFormatFlagsNoWrap);
    m_items.push_back(std::move(item));
    return Ok;
}

Status GraphicsPath::StartFigure()
{
    m_items.push_back(Make(Item::Kind::Start, {}));
    return Ok;
}

Status GraphicsPath::CloseFigure()
{
    m_items.push_back(Make(Item::Kind::Close, {}));
    return Ok;
}

Status GraphicsPath::GetBounds(RectF* bounds) const
{
    if (!bounds)
        return InvalidParameter;
    *bounds = PathBounds(*this);
    return Ok;
}

} // namespace tarn::gp
