// A 1280 x 720 repaint of 300 small cached pictures and 100 text runs through the drawing
// layer, and the repaint of one key's rectangle, each beside the same scene drawn by a bare
// Cairo + Pango loop. Compare medians: full / reference within 2, key / full within 0.05.
#include "bench/RatioMain.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdiplus/Gdiplus.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tarn;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kPictures = 300;
constexpr int kTexts = 100;
constexpr int kPic = 32;
const RECT kKey(600, 300, 650, 352);

RECT PictureRect(int i)
{
    const int x = (i % 20) * 64 + 8;
    const int y = (i / 20) * 48 + 8;
    return RECT(x, y, x + kPic, y + kPic);
}

RECT TextRect(int i)
{
    const int x = (i % 10) * 128 + 4;
    const int y = (i / 10) * 72 + 40;
    return RECT(x, y, x + 120, y + 24);
}

std::wstring TextOf(int i)
{
    return L"Key " + std::to_wstring(i) + L" Macro";
}

const wchar_t* FamilyName()
{
    for (const wchar_t* name : {L"Open Sans", L"DejaVu Sans"})
        if (gp::FontFamily::FromName(name))
            return name;
    return L"Sans";
}

// The scene's cached pictures: 32 x 32, four frames of 8 x 32 side by side.
std::vector<std::unique_ptr<gp::Bitmap>> MakePictures()
{
    std::vector<std::unique_ptr<gp::Bitmap>> pictures;
    for (int i = 0; i < kPictures; ++i) {
        auto b = std::make_unique<gp::Bitmap>(kPic, kPic);
        gp::Graphics g(b.get());
        gp::SolidBrush brush(gp::Color(255, static_cast<BYTE>(i), 120, static_cast<BYTE>(255 - i % 256)));
        g.FillRectangle(&brush, 0, 0, kPic, kPic);
        pictures.push_back(std::move(b));
    }
    return pictures;
}

struct Scene {
    Scene()
        : pictures(MakePictures()), family(FamilyName()), font(&family, 14)
    {
        mem = CreateCompatibleDC(nullptr);
        window = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = kHeight;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        screen = CreateCompatibleBitmap(window, kWidth, kHeight);
        SelectObject(mem, dib);
        SelectObject(window, screen);
        format.SetLineAlignment(gp::StringAlignmentCenter);
    }
    ~Scene()
    {
        DeleteDC(mem);
        DeleteDC(window);
        DeleteObject(dib);
        DeleteObject(screen);
    }

    // What the paint pipeline does for an update rectangle: draw what meets it, then copy it.
    void Paint(const RECT& update)
    {
        {
            gp::Graphics g(mem);
            g.SetClip(gp::Rect{update.left, update.top, update.Width(), update.Height()});
            g.SetTextRenderingHint(gp::TextRenderingHintClearTypeGridFit);
            gp::SolidBrush back(gp::Color(254, 30, 30, 34));
            g.FillRectangle(&back, gp::Rect{update.left, update.top, update.Width(), update.Height()});
            RECT meet;
            for (int i = 0; i < kPictures; ++i) {
                const RECT r = PictureRect(i);
                if (meet.IntersectRect(r, update))
                    g.DrawImage(pictures[static_cast<size_t>(i)].get(), gp::Rect{r.left, r.top, kPic, kPic}, 8, 0, 8,
                                kPic, gp::UnitPixel);
            }
            for (int i = 0; i < kTexts; ++i) {
                const RECT r = TextRect(i);
                if (meet.IntersectRect(r, update)) {
                    const std::wstring text = TextOf(i);
                    g.DrawString(text.c_str(), -1, &font,
                                 gp::RectF(static_cast<float>(r.left), static_cast<float>(r.top), 120, 24), &format, &white);
                }
            }
        }
        BitBlt(window, update.left, update.top, update.Width(), update.Height(), mem, update.left, update.top, SRCCOPY);
    }

    std::vector<std::unique_ptr<gp::Bitmap>> pictures;
    gp::FontFamily family;
    gp::Font font;
    gp::StringFormat format;
    gp::SolidBrush white{gp::Color(255, 255, 255, 255)};
    HDC mem = nullptr;
    HDC window = nullptr;
    HBITMAP dib = nullptr;
    HBITMAP screen = nullptr;
};

void BM_FullRepaint(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state)
        scene.Paint(RECT(0, 0, kWidth, kHeight));
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_OneKeyRepaint(benchmark::State& state)
{
    Scene scene;
    scene.Paint(RECT(0, 0, kWidth, kHeight));
    for (auto _ : state)
        scene.Paint(kKey);
}
BENCHMARK(BM_OneKeyRepaint)->Unit(benchmark::kMicrosecond);

// The reference: the same pictures, texts and copy, straight on Cairo and Pango.
void BM_CairoReference(benchmark::State& state)
{
    std::vector<cairo_surface_t*> pictures;
    for (int i = 0; i < kPictures; ++i) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPic, kPic);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_rgb(cr, (i % 256) / 255.0, 120 / 255.0, (255 - i % 256) / 255.0);
        cairo_paint(cr);
        cairo_destroy(cr);
        pictures.push_back(s);
    }
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    PangoFontDescription* desc = pango_font_description_new();
    std::string family(FamilyName(), FamilyName() + wcslen(FamilyName()));
    pango_font_description_set_family(desc, family.c_str());
    pango_font_description_set_absolute_size(desc, 14 * PANGO_SCALE);
    std::vector<std::string> texts;
    for (int i = 0; i < kTexts; ++i)
        texts.push_back("Key " + std::to_string(i) + " Macro");
    for (auto _ : state) {
        cairo_t* cr = cairo_create(frame);
        cairo_set_source_rgba(cr, 30 / 255.0, 30 / 255.0, 34 / 255.0, 254 / 255.0);
        cairo_paint(cr);
        for (int i = 0; i < kPictures; ++i) {
            const RECT r = PictureRect(i);
            cairo_set_source_surface(cr, pictures[static_cast<size_t>(i)], r.left - 8, r.top);
            cairo_rectangle(cr, r.left, r.top, kPic, kPic);
            cairo_fill(cr);
        }
        cairo_set_source_rgb(cr, 1, 1, 1);
        for (int i = 0; i < kTexts; ++i) {
            const RECT r = TextRect(i);
            PangoLayout* layout = pango_cairo_create_layout(cr);
            pango_layout_set_font_description(layout, desc);
            pango_layout_set_text(layout, texts[static_cast<size_t>(i)].c_str(), -1);
            int w = 0, h = 0;
            pango_layout_get_pixel_size(layout, &w, &h);
            cairo_move_to(cr, r.left, r.top + (24 - h) / 2.0);
            pango_cairo_show_layout(cr, layout);
            g_object_unref(layout);
        }
        cairo_destroy(cr);
        cairo_t* copy = cairo_create(screen);
        cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(copy, frame, 0, 0);
        cairo_paint(copy);
        cairo_destroy(copy);
        benchmark::DoNotOptimize(cairo_image_surface_get_data(screen));
    }
    pango_font_description_free(desc);
    for (auto* s : pictures)
        cairo_surface_destroy(s);
    cairo_surface_destroy(frame);
    cairo_surface_destroy(screen);
}
BENCHMARK(BM_CairoReference)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return corvane::bench::RunWithRatios(argc, argv,
                                         {{"full repaint", "BM_FullRepaint", "BM_CairoReference", 2.0},
                                          {"one-key repaint", "BM_OneKeyRepaint", "BM_FullRepaint", 0.05}});
}
