#pragma once

#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdiplus/Gdiplus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace tarn::test {

inline const char* kTestFont = "/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf";

// Fixes the fonts before the drawing layer first reads them: only Debian's Open Sans.
inline bool UseTestFonts()
{
    static const bool present = [] {
        setenv("FONTCONFIG_FILE", CORVANE_TEST_DATA "/fonts.conf", 1);
        return std::filesystem::exists(kTestFont);
    }();
    return present;
}

#define REQUIRE_TEST_FONT()                                                                                 \
    if (!::tarn::test::UseTestFonts())                                                                       \
    GTEST_SKIP() << "needs " << ::tarn::test::kTestFont << " (Debian fonts-open-sans, scripts/setup.sh)"

inline std::wstring Data(const char* name)
{
    std::string path = std::string(CORVANE_TEST_DATA) + "/" + name;
    return std::wstring(path.begin(), path.end());
}

// A memory DC with a w x h DIB section selected, and its pixels.
struct Surface {
    Surface(int w, int h) : width(w), height(h)
    {
        UseTestFonts();
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~Surface()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    uint32_t At(int x, int y) const
    {
        uint32_t p;
        std::memcpy(&p, static_cast<const uint8_t*>(bits) + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4, 4);
        return p;
    }
    // Pixels in a box that are not fully transparent.
    int Inked(RECT r) const
    {
        int n = 0;
        for (int y = std::max(0, r.top); y < std::min(height, r.bottom); ++y)
            for (int x = std::max(0, r.left); x < std::min(width, r.right); ++x)
                n += (At(x, y) >> 24) != 0;
        return n;
    }

    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

} // namespace tarn::test
