#pragma once

#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdiplus/Gdiplus.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tarn::test {

// The drawing layer's sample dialog, shared by the headless test and the one on a real display:
// a stretched background picture, one frame of a picture strip and a text, all painted into one
// off-screen DIB as the paint pipeline paints, then the update rectangle copied to the paint DC.
// 200 x 100 pixels: yellow, a green 20-pixel square at (10, 10), "Apply" at (50, 40).
struct SampleDialogWindow {
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 100;

    std::unique_ptr<gp::Image> background;
    std::unique_ptr<gp::Image> strip;
    std::wstring family;
    int paints = 0;

    // The pictures' folder, for test programs that have no data folder of their own.
    static std::string DataFolder()
    {
        return (std::filesystem::path(__FILE__).parent_path().parent_path() / "testdata").string();
    }
    static std::wstring Picture(const std::string& folder, const char* name)
    {
        const std::string path = folder + "/" + name;
        return std::wstring(path.begin(), path.end());
    }

    bool Load(const std::string& folder, const wchar_t* fontFamily)
    {
        background = gp::Image::FromFile(Picture(folder, "corner.png").c_str());
        strip = gp::Image::FromFile(Picture(folder, "strip4.png").c_str());
        family = fontFamily;
        return background && strip;
    }

    // Shows the dialog as a top-level window at (x, y); it paints this object until Detach.
    HWND Show(int x, int y)
    {
        s_current = this;
        WNDCLASSEXW wc;
        wc.lpfnWndProc = &Proc;
        wc.lpszClassName = L"SampleDialog";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, L"SampleDialog", L"Sample", WS_POPUP | WS_VISIBLE, x, y, kWidth, kHeight, nullptr,
                               nullptr, nullptr, nullptr);
    }
    static void Detach() { s_current = nullptr; }

private:
    void Paint(HWND hwnd)
    {
        ++paints;
        RECT client;
        GetClientRect(hwnd, &client);
        PAINTSTRUCT ps;
        HDC paint = BeginPaint(hwnd, &ps);
        HDC mem = CreateCompatibleDC(paint);
        BITMAPINFO info{};
        info.bmiHeader.biWidth = client.Width();
        info.bmiHeader.biHeight = client.Height();
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        {
            gp::Graphics g(mem);
            g.SetSmoothingMode(gp::SmoothingModeAntiAlias);
            g.SetTextRenderingHint(gp::TextRenderingHintClearTypeGridFit);
            g.DrawImage(background.get(), gp::Rect{0, 0, client.Width(), client.Height()});
            const int fw = static_cast<int>(strip->GetWidth()) / 4;
            g.DrawImage(strip.get(), gp::Rect{10, 10, 20, 20}, 1 * fw, 0, fw, 10, gp::UnitPixel);
            gp::FontFamily fontFamily(family.c_str());
            gp::Font font(&fontFamily, 16);
            gp::SolidBrush black(gp::Color(255, 0, 0, 0));
            gp::StringFormat format;
            format.SetLineAlignment(gp::StringAlignmentCenter);
            g.DrawString(L"Apply", -1, &font, gp::RectF(50, 40, 100, 30), &format, &black);
        }
        BitBlt(paint, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.Width(), ps.rcPaint.Height(), mem, ps.rcPaint.left,
               ps.rcPaint.top, SRCCOPY);
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        EndPaint(hwnd, &ps);
    }

    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg != WM_PAINT || !s_current)
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        s_current->Paint(hwnd);
        return 0;
    }

    static inline SampleDialogWindow* s_current = nullptr;
};

} // namespace tarn::test
