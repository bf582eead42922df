#include "tarnui/platform/gdiplus/Bitmap.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/Resources.h"
#include "tarnui/platform/gdi/ImageData.h"

#include <fstream>
#include <iterator>

namespace tarn::gp {

namespace {

// Pictures past this size are not skin pictures; refusing them keeps a stray path harmless.
constexpr std::streamoff kMaxFileBytes = 256LL << 20;

} // namespace

Image::Image(std::shared_ptr<ImageData> data) : m_data(std::move(data)) {}

Image::~Image() = default;

std::unique_ptr<Image> Image::FromStream(const void* data, size_t size)
{
    if (!data || size == 0)
        return nullptr;
    auto decoded = ImageData::Decode(static_cast<const uint8_t*>(data), size);
    if (!decoded)
        return nullptr;
    return std::unique_ptr<Image>(new Bitmap(std::move(decoded)));
}

std::unique_ptr<Image> Image::FromFile(const wchar_t* path)
{
    if (!path || !*path)
        return nullptr;
    std::string name = CString(path).ToUtf8();
    for (char& c : name)
        if (c == '\\')
            c = '/';
    std::ifstream in(name, std::ios::binary | std::ios::ate);
    if (!in)
        return nullptr;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxFileBytes)
        return nullptr;
    std::vector<char> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return nullptr;
    return FromStream(bytes.data(), bytes.size());
}

std::unique_ptr<Image> Image::FromResource(HINSTANCE module, UINT id, const wchar_t* type)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!resource)
        return nullptr;
    return FromStream(LockResource(LoadResource(module, resource)), SizeofResource(module, resource));
}

UINT Image::GetWidth() const
{
    return static_cast<UINT>(m_data->Width());
}

UINT Image::GetHeight() const
{
    return static_cast<UINT>(m_data->Height());
}

UINT Image::GetFrameCount() const
{
    return static_cast<UINT>(m_data->FrameCount());
}

Status Image::SelectActiveFrame(UINT index)
{
    if (index >= m_data->FrameCount())
        return InvalidParameter;
    m_frame = index;
    return Ok;
}

UINT Image::GetFrameDelay(UINT index) const
{
    return static_cast<UINT>(m_data->Delay(index));
}

std::unique_ptr<Image> Image::Clone() const
{
    std::unique_ptr<Image> copy(new Bitmap(m_data->Copy()));
    copy->m_frame = m_frame;
    return copy;
}

Bitmap::Bitmap(INT width, INT height) : Image(ImageData::Blank(width, height)) {}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const
{
    if (!color || x < 0 || y < 0 || x >= m_data->Width() || y >= m_data->Height())
        return InvalidParameter;
    cairo_surface_t* s = m_data->Frame(m_frame);
    cairo_surface_flush(s);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                         static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
    const uint32_t p = row[x];
    const uint32_t a = p >> 24;
    auto straight = [a](uint32_t c) { return static_cast<BYTE>(a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0); };
    *color = Color(static_cast<BYTE>(a), straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF), straight(p & 0xFF));
    return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color)
{
    if (x < 0 || y < 0 || x >= m_data->Width() || y >= m_data->Height())
        return InvalidParameter;
    cairo_surface_t* s = m_data->Frame(m_frame);
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) +
                                            static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
    row[x] = Premultiply(color.GetA(), color.GetR(), color.GetG(), color.GetB());
    cairo_surface_mark_dirty_rectangle(s, x, y, 1, 1);
    return Ok;
}

} // namespace tarn::gp
