#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinTypes.h"

#include <vector>

// The Windows-shaped GDI calls of the library's drawing layer: device contexts over 32-bit
// premultiplied ARGB surfaces (the byte order of a Windows 32-bit DIB), bitmaps, text, fonts and
// rectangle-list regions. Failures answer 0, FALSE or null with GetLastError set.
namespace tarn {

using COLORREF = DWORD;
using HGDIOBJ = void*;
struct HBITMAP__;
struct HFONT__;
struct HRGN__;
using HBITMAP = HBITMAP__*;
using HFONT = HFONT__*;
using HRGN = HRGN__*;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 | static_cast<COLORREF>(b) << 16;
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    wchar_t lfFaceName[LF_FACESIZE] = {};
};

struct BITMAPINFOHEADER {
    DWORD biSize = sizeof(BITMAPINFOHEADER);
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    LPVOID bmBits = nullptr;
};

struct BLENDFUNCTION {
    BYTE BlendOp = 0;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};

inline constexpr DWORD BI_RGB = 0;
inline constexpr UINT DIB_RGB_COLORS = 0;

// Raster operations; BitBlt and StretchBlt support these four.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

inline constexpr BYTE AC_SRC_OVER = 0x00;
inline constexpr BYTE AC_SRC_ALPHA = 0x01;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int BLACKONWHITE = 1;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;

inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_CHARSET = 1;

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

inline constexpr int OBJ_BRUSH = 2;
inline constexpr int OBJ_DC = 3;
inline constexpr int OBJ_FONT = 6;
inline constexpr int OBJ_BITMAP = 7;
inline constexpr int OBJ_REGION = 8;
inline constexpr int OBJ_MEMDC = 10;

inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_EDITCONTROL = 0x00002000;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;
inline constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr UINT DT_HIDEPREFIX = 0x00100000;

inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;
inline constexpr int RGN_ERROR = 0;
inline constexpr int RGN_AND = 1;
inline constexpr int RGN_OR = 2;
inline constexpr int RGN_XOR = 3;
inline constexpr int RGN_DIFF = 4;
inline constexpr int RGN_COPY = 5;

// Device contexts. A window DC draws into the top-level window's backing pixels at the window's
// client origin, clipped to its client area (and to rcPaint for BeginPaint's); EndPaint and
// ReleaseDC present what it covers.
TARN_API HDC GetDC(HWND hwnd);
TARN_API HDC GetWindowDC(HWND hwnd);
TARN_API int ReleaseDC(HWND hwnd, HDC hdc);
TARN_API HDC CreateCompatibleDC(HDC hdc);
TARN_API BOOL DeleteDC(HDC hdc);
TARN_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
TARN_API HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
TARN_API BOOL DeleteObject(HGDIOBJ object);
TARN_API HGDIOBJ GetStockObject(int index);
TARN_API int GetObjectW(HGDIOBJ object, int size, LPVOID out);
TARN_API DWORD GetObjectType(HGDIOBJ object);
TARN_API int SaveDC(HDC hdc);
TARN_API BOOL RestoreDC(HDC hdc, int savedLevel);

// Bitmaps: 32-bit premultiplied ARGB, zero-filled. A DIB section's rows run top-down whatever
// the sign of biHeight, with a stride of width * 4 bytes; only 32 bits per pixel are made.
TARN_API HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
TARN_API HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                  DWORD offset);
// Call after writing a DIB section's pixels directly, before drawing with it again.
TARN_API BOOL GdiFlush();

TARN_API BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
TARN_API BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                         DWORD rop);
TARN_API int SetStretchBltMode(HDC hdc, int mode);
// Constant alpha only blends rectangle against rectangle; without AC_SRC_ALPHA the source counts
// as opaque. Fails when either rectangle is negative or the source one leaves its surface.
TARN_API BOOL GdiAlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                            BLENDFUNCTION blend);
inline BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, int sw, int sh,
                       BLENDFUNCTION blend)
{
    return GdiAlphaBlend(dst, x, y, width, height, src, sx, sy, sw, sh, blend);
}

// The stored colour of one pixel (premultiplied, as GDI reads a DIB); CLR_INVALID outside the
// surface or the DC's clip.
TARN_API COLORREF GetPixel(HDC hdc, int x, int y);
TARN_API COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);

// Colours, modes and brushes.
TARN_API COLORREF SetTextColor(HDC hdc, COLORREF color);
TARN_API COLORREF GetTextColor(HDC hdc);
TARN_API COLORREF SetBkColor(HDC hdc, COLORREF color);
TARN_API COLORREF GetBkColor(HDC hdc);
TARN_API int SetBkMode(HDC hdc, int mode);
TARN_API int GetBkMode(HDC hdc);
TARN_API HBRUSH CreateSolidBrush(COLORREF color);
TARN_API int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);

// Fonts: GDI substitutes a family that is not installed.
TARN_API HFONT CreateFontIndirectW(const LOGFONTW* font);
TARN_API HANDLE AddFontMemResourceEx(const void* data, DWORD size, void* reserved, DWORD* fonts);
TARN_API BOOL RemoveFontMemResourceEx(HANDLE handle);

// Text in the DC's font and text colour; OPAQUE mode fills the text's box with the background.
TARN_API BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const wchar_t* text, UINT count,
                          const int* dx);
TARN_API BOOL TextOutW(HDC hdc, int x, int y, const wchar_t* text, int count);
TARN_API BOOL GetTextExtentPoint32W(HDC hdc, const wchar_t* text, int count, SIZE* size);
// count -1 for a terminated text. Answers the height of the text drawn (or measured).
TARN_API int DrawTextW(HDC hdc, const wchar_t* text, int count, RECT* rect, UINT format);

// Regions: lists of non-overlapping rectangles.
TARN_API HRGN CreateRectRgn(int left, int top, int right, int bottom);
TARN_API HRGN CreateRectRgnIndirect(const RECT* rect);
// The corner ellipses are width x height, as in a RoundRect of the same arguments.
TARN_API HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
TARN_API int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
TARN_API int OffsetRgn(HRGN rgn, int dx, int dy);
TARN_API BOOL PtInRegion(HRGN rgn, int x, int y);
TARN_API int GetRgnBox(HRGN rgn, RECT* rect);
TARN_API BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
// A copy of the region's rectangles (empty for a handle that is not a region).
TARN_API std::vector<RECT> GetRegionRects(HRGN rgn);
// Null removes the clip; the region is copied, in the DC's coordinates.
TARN_API int SelectClipRgn(HDC hdc, HRGN rgn);

// Icons: one premultiplied ARGB picture each, in the same handle table as the GDI objects, so a
// destroyed icon's handle is simply not found. Not GDI objects to SelectObject or DeleteObject.
struct ICONINFO {
    BOOL fIcon = TRUE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;
    HBITMAP hbmColor = nullptr;
};

inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT IMAGE_CURSOR = 2;

inline constexpr UINT LR_DEFAULTCOLOR = 0x0000;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;
inline constexpr UINT LR_DEFAULTSIZE = 0x0040;
inline constexpr UINT LR_SHARED = 0x8000;

inline constexpr UINT DI_MASK = 0x0001;
inline constexpr UINT DI_IMAGE = 0x0002;
inline constexpr UINT DI_NORMAL = 0x0003;
inline constexpr UINT DI_DEFAULTSIZE = 0x0008;

// The type icons are embedded under (Resources.h): a whole ICO file per id.
inline const wchar_t* const RT_ICO = L"ICO";

// One picture of an icon file's entry (a PNG, or a DIB with its AND mask), as bits points at
// it. version must be 0x00030000. A size of 0 is the picture's own, or the system icon size
// with LR_DEFAULTSIZE; another size scales the picture to it.
TARN_API HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx, int cy,
                                        UINT flags);
// IMAGE_ICON only: from an .ico file with LR_LOADFROMFILE (name is its path), otherwise from
// module's "ICO" resource id name. The entry nearest to cx x cy is chosen and scaled to it.
// LR_SHARED icons of a module are loaded once; DestroyIcon leaves them alone.
TARN_API HANDLE LoadImageW(HINSTANCE module, const wchar_t* name, UINT type, int cx, int cy, UINT flags);
// The module's icon at the system icon size, shared.
TARN_API HICON LoadIconW(HINSTANCE module, const wchar_t* name);
TARN_API HICON CopyIcon(HICON icon);
TARN_API BOOL DestroyIcon(HICON icon);
// Blends the icon over the DC (DI_NORMAL), copies it with its alpha (DI_IMAGE) or darkens
// where it is opaque (DI_MASK), scaled to cx x cy (0: its own size, or the system size with
// DI_DEFAULTSIZE). A background brush fills the box first.
TARN_API BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH background,
                         UINT flags);
TARN_API BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
// New bitmaps the caller deletes: the picture (premultiplied ARGB) and its mask (opaque black
// where the picture shows, opaque white where it is transparent).
TARN_API BOOL GetIconInfo(HICON icon, ICONINFO* info);

} // namespace tarn
