// Device contexts, object selection and the GDI objects' life cycle.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/GdiTable.h"

#include <cstring>
#include <limits>

namespace tarn {

namespace {

// A bitmap larger than this is refused instead of exhausting memory.
constexpr long long kMaxBitmapPixels = 16384LL * 16384LL;

HBITMAP NewBitmap(int width, int height, bool dib)
{
    if (width < 0 || height < 0 || width > 32767 || height > 32767 ||
        static_cast<long long>(width) * height > kMaxBitmapPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto object = std::make_shared<BitmapObject>(surface);
    object->dib = dib;
    return static_cast<HBITMAP>(GdiTable::Get().Add(object));
}

} // namespace

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !DeviceContext::From(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HDC>(GdiTable::Get().Add(std::make_shared<DeviceContext>(DeviceContext::Type::Memory, nullptr)));
}

BOOL DeleteDC(HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    dc->ReleaseAll();
    GdiTable::Get().Remove(hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle)
{
    auto dc = DeviceContext::From(hdc);
    auto object = GdiTable::Get().Find(handle);
    if (!dc || !object) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& state = dc->Current();
    switch (object->kind) {
    case GdiKind::Bitmap: {
        // Bitmaps go only into memory DCs, and into one DC at a time.
        auto bitmap = std::static_pointer_cast<BitmapObject>(object);
        if (dc->GetType() != DeviceContext::Type::Memory ||
            (bitmap->selected > 0 && !bitmap->stock && state.bitmap != bitmap)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        HGDIOBJ old = state.bitmap ? state.bitmap->handle : nullptr;
        dc->Select(bitmap);
        return old;
    }
    case GdiKind::Font: {
        HGDIOBJ old = state.font ? state.font->handle : nullptr;
        dc->Select(std::static_pointer_cast<FontObject>(object));
        return old;
    }
    case GdiKind::Brush: {
        HGDIOBJ old = state.brush ? state.brush->handle : nullptr;
        dc->Select(std::static_pointer_cast<BrushObject>(object));
        return old;
    }
    case GdiKind::Region:
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(handle))));
    case GdiKind::Dc:
    case GdiKind::Icon: break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc)
        return nullptr;
    auto& state = dc->Current();
    switch (type) {
    case OBJ_BITMAP: return state.bitmap ? state.bitmap->handle : nullptr;
    case OBJ_FONT: return state.font ? state.font->handle : nullptr;
    case OBJ_BRUSH: return state.brush ? state.brush->handle : nullptr;
    default: return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ handle)
{
    auto object = GdiTable::Get().Find(handle);
    // Icons go with DestroyIcon.
    if (!object || object->kind == GdiKind::Dc || object->kind == GdiKind::Icon) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (object->stock)
        return TRUE;
    // A selected object stays until its DC lets it go.
    if (object->selected > 0)
        return FALSE;
    GdiTable::Get().Remove(handle);
    return TRUE;
}

HGDIOBJ GetStockObject(int index)
{
    return GdiTable::Get().Stock(index);
}

int GetObjectW(HGDIOBJ handle, int size, LPVOID out)
{
    auto object = GdiTable::Get().Find(handle);
    if (!object)
        return 0;
    if (object->kind == GdiKind::Bitmap) {
        if (!out)
            return static_cast<int>(sizeof(BITMAP));
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        auto bitmap = std::static_pointer_cast<BitmapObject>(object);
        BITMAP bm;
        bm.bmWidth = bitmap->Width();
        bm.bmHeight = bitmap->Height();
        bm.bmWidthBytes = cairo_image_surface_get_stride(bitmap->surface);
        bm.bmPlanes = 1;
        bm.bmBitsPixel = 32;
        bm.bmBits = bitmap->dib ? cairo_image_surface_get_data(bitmap->surface) : nullptr;
        std::memcpy(out, &bm, sizeof bm);
        return static_cast<int>(sizeof bm);
    }
    if (object->kind == GdiKind::Font) {
        if (!out)
            return static_cast<int>(sizeof(LOGFONTW));
        if (size < static_cast<int>(sizeof(LOGFONTW)))
            return 0;
        std::memcpy(out, &std::static_pointer_cast<FontObject>(object)->logFont, sizeof(LOGFONTW));
        return static_cast<int>(sizeof(LOGFONTW));
    }
    return 0;
}

DWORD GetObjectType(HGDIOBJ handle)
{
    auto object = GdiTable::Get().Find(handle);
    if (!object)
        return 0;
    switch (object->kind) {
    case GdiKind::Dc:
        return std::static_pointer_cast<DeviceContext>(object)->GetType() == DeviceContext::Type::Memory ? OBJ_MEMDC : OBJ_DC;
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Region: return OBJ_REGION;
    case GdiKind::Icon: return 0;
    }
    return 0;
}

int SaveDC(HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    return dc ? dc->Save() : 0;
}

BOOL RestoreDC(HDC hdc, int savedLevel)
{
    auto dc = DeviceContext::From(hdc);
    return dc && dc->Restore(savedLevel) ? TRUE : FALSE;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    if (hdc && !DeviceContext::From(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewBitmap(width, height, false);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section || info->bmiHeader.biBitCount != 32 ||
        info->bmiHeader.biCompression != BI_RGB || info->bmiHeader.biHeight == std::numeric_limits<LONG>::min()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const LONG height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    HBITMAP bitmap = NewBitmap(info->bmiHeader.biWidth, height, true);
    if (bitmap && bits) {
        auto object = GdiTable::Get().FindAs<BitmapObject>(bitmap, GdiKind::Bitmap);
        *bits = cairo_image_surface_get_data(object->surface);
    }
    return bitmap;
}

BOOL GdiFlush()
{
    // Image surfaces are drawn synchronously: direct pixel writes are seen by the next draw.
    return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->Current().text;
    dc->Current().text = color & 0xFFFFFF;
    return old;
}

COLORREF GetTextColor(HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    return dc ? dc->Current().text : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->Current().bk;
    dc->Current().bk = color & 0xFFFFFF;
    return old;
}

COLORREF GetBkColor(HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    return dc ? dc->Current().bk : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int old = dc->Current().bkMode;
    dc->Current().bkMode = mode;
    return old;
}

int GetBkMode(HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    return dc ? dc->Current().bkMode : 0;
}

int SetStretchBltMode(HDC hdc, int mode)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc || mode < 1 || mode > HALFTONE)
        return 0;
    int old = dc->Current().stretchMode;
    dc->Current().stretchMode = mode;
    return old;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return static_cast<HBRUSH>(GdiTable::Get().Add(std::make_shared<BrushObject>(color & 0xFFFFFF, false)));
}

HFONT CreateFontIndirectW(const LOGFONTW* font)
{
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HFONT>(GdiTable::Get().Add(std::make_shared<FontObject>(*font)));
}

} // namespace tarn
