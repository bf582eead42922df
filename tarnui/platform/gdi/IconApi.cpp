// Icons from ICO data, files and embedded resources, drawn into DCs.
#include "tarnui/platform/CString.h"
#include "tarnui/platform/Resources.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/GdiTable.h"
#include "tarnui/platform/gdi/IcoDecoder.h"
#include "tarnui/platform/gdi/IconObject.h"

#include <fstream>
#include <map>
#include <mutex>
#include <tuple>

namespace tarn {

namespace {

inline constexpr DWORD kIconVersion = 0x00030000;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_INVALID_ICON_HANDLE = 1402;
// An icon file past this is no icon; refusing it keeps a stray path harmless.
constexpr std::streamoff kMaxIcoBytes = 16LL << 20;

// Zero sizes mean the picture's own size, or the system's with the default-size flag.
void DefaultSize(bool systemSize, int* cx, int* cy)
{
    if (systemSize && *cx == 0)
        *cx = GetSystemMetrics(SM_CXICON);
    if (systemSize && *cy == 0)
        *cy = GetSystemMetrics(SM_CYICON);
}

HICON Add(std::shared_ptr<IconObject> icon)
{
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return static_cast<HICON>(GdiTable::Get().Add(std::move(icon)));
}

std::shared_ptr<IconObject> FromIcoFile(const uint8_t* data, size_t size, int cx, int cy)
{
    std::vector<IcoEntry> entries;
    if (!ReadIcoDirectory(data, size, &entries))
        return nullptr;
    DecodedImage decoded;
    const int wantW = cx ? cx : (cy ? cy : 0);
    const int wantH = cy ? cy : wantW;
    // Without a size the largest entry is the icon's own picture.
    const int index = wantW ? ClosestIcoEntry(entries, wantW, wantH) : -1;
    if (!DecodeIco(data, size, index, &decoded))
        return nullptr;
    return IconObject::FromDecoded(decoded, cx, cy);
}

struct SharedKey {
    HINSTANCE module;
    uintptr_t id;
    int cx;
    int cy;
    bool operator<(const SharedKey& o) const { return std::tie(module, id, cx, cy) < std::tie(o.module, o.id, o.cx, o.cy); }
};

std::mutex& SharedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<SharedKey, HICON>& Shared()
{
    static std::map<SharedKey, HICON> shared;
    return shared;
}

std::vector<uint8_t> ReadFile(const wchar_t* path)
{
    std::string name = CString(path).ToUtf8();
    for (char& c : name)
        if (c == '\\')
            c = '/';
    std::vector<uint8_t> bytes;
    std::ifstream in(name, std::ios::binary | std::ios::ate);
    if (!in)
        return bytes;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxIcoBytes)
        return bytes;
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        bytes.clear();
    return bytes;
}

HICON LoadFromModule(HINSTANCE module, const wchar_t* name, int cx, int cy, bool shared)
{
    const SharedKey key{module, reinterpret_cast<uintptr_t>(name), cx, cy};
    std::unique_lock lock(SharedMutex(), std::defer_lock);
    if (shared) {
        lock.lock();
        auto it = Shared().find(key);
        if (it != Shared().end())
            return it->second;
    }
    HRSRC resource = FindResourceW(module, name, RT_ICO);
    if (!resource)
        return nullptr;
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    auto icon = FromIcoFile(data, SizeofResource(module, resource), cx, cy);
    if (icon && shared)
        icon->stock = true;
    HICON handle = Add(std::move(icon));
    if (handle && shared)
        Shared()[key] = handle;
    return handle;
}

} // namespace

HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx, int cy, UINT flags)
{
    if (!bits || version != kIconVersion || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int hotX = 0;
    int hotY = 0;
    // A cursor's picture follows its hotspot.
    if (!icon) {
        if (size < 4) {
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        hotX = bits[0] | bits[1] << 8;
        hotY = bits[2] | bits[3] << 8;
        bits += 4;
        size -= 4;
    }
    DefaultSize((flags & LR_DEFAULTSIZE) != 0, &cx, &cy);
    DecodedImage decoded;
    if (!DecodeIcoImage(bits, size, &decoded)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    auto object = IconObject::FromDecoded(decoded, cx, cy);
    if (object && !icon) {
        object->isIcon = false;
        object->hotspotX = hotX * object->Width() / decoded.width;
        object->hotspotY = hotY * object->Height() / decoded.height;
    }
    return Add(std::move(object));
}

HANDLE LoadImageW(HINSTANCE module, const wchar_t* name, UINT type, int cx, int cy, UINT flags)
{
    if (type != IMAGE_ICON || !name || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DefaultSize((flags & LR_DEFAULTSIZE) != 0, &cx, &cy);
    if (flags & LR_LOADFROMFILE) {
        if (IS_INTRESOURCE(name)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        const std::vector<uint8_t> bytes = ReadFile(name);
        if (bytes.empty()) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return nullptr;
        }
        return Add(FromIcoFile(bytes.data(), bytes.size(), cx, cy));
    }
    return LoadFromModule(module, name, cx, cy, (flags & LR_SHARED) != 0);
}

HICON LoadIconW(HINSTANCE module, const wchar_t* name)
{
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HICON CopyIcon(HICON icon)
{
    auto source = IconObject::From(icon);
    if (!source) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return nullptr;
    }
    auto copy = std::make_shared<IconObject>(source->Width(), source->Height(), source->Pixels());
    copy->isIcon = source->isIcon;
    copy->hotspotX = source->hotspotX;
    copy->hotspotY = source->hotspotY;
    return Add(std::move(copy));
}

BOOL DestroyIcon(HICON icon)
{
    auto object = IconObject::From(icon);
    if (!object) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    if (!object->stock)
        GdiTable::Get().Remove(icon);
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH background, UINT flags)
{
    auto object = IconObject::From(icon);
    auto dc = DeviceContext::From(hdc);
    if (!object || !dc || cx < 0 || cy < 0) {
        SetLastError(!object ? ERROR_INVALID_ICON_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (flags & DI_DEFAULTSIZE)
        DefaultSize(true, &cx, &cy);
    if (cx == 0)
        cx = object->Width();
    if (cy == 0)
        cy = object->Height();
    if (background) {
        const RECT box(x, y, x + cx, y + cy);
        if (!FillRect(hdc, &box, background))
            return FALSE;
    }
    if (!(flags & DI_NORMAL))
        return TRUE;
    cairo_t* cr = dc->Begin();
    if (!cr)
        return TRUE;
    cairo_rectangle(cr, x, y, cx, cy);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, static_cast<double>(cx) / object->Width(), static_cast<double>(cy) / object->Height());
    cairo_pattern_t* picture = cairo_pattern_create_for_surface(object->Surface());
    cairo_pattern_set_extend(picture, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(picture, CAIRO_FILTER_GOOD);
    if ((flags & DI_NORMAL) == DI_MASK) {
        // The mask alone: black wherever the picture covers.
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_mask(cr, picture);
    } else {
        cairo_set_operator(cr, (flags & DI_NORMAL) == DI_IMAGE ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
        cairo_set_source(cr, picture);
        cairo_paint(cr);
    }
    cairo_pattern_destroy(picture);
    cairo_destroy(cr);
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon)
{
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info)
{
    auto object = IconObject::From(icon);
    if (!object || !info) {
        SetLastError(!object ? ERROR_INVALID_ICON_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int w = object->Width();
    const int h = object->Height();
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biBitCount = 32;
    void* colourBits = nullptr;
    void* maskBits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &colourBits, nullptr, 0);
    HBITMAP mask = colour ? CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &maskBits, nullptr, 0) : nullptr;
    if (!colour || !mask) {
        if (colour)
            DeleteObject(colour);
        return FALSE;
    }
    const std::vector<uint32_t>& px = object->Pixels();
    auto* c = static_cast<uint32_t*>(colourBits);
    auto* m = static_cast<uint32_t*>(maskBits);
    for (size_t i = 0; i < px.size(); ++i) {
        c[i] = px[i];
        m[i] = (px[i] >> 24) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    GdiFlush();
    info->fIcon = object->isIcon ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(object->hotspotX);
    info->yHotspot = static_cast<DWORD>(object->hotspotY);
    info->hbmColor = colour;
    info->hbmMask = mask;
    return TRUE;
}

} // namespace tarn
