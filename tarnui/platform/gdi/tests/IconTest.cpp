#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/Resources.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"
#include "tarnui/platform/gdi/tests/IcoBuilder.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

// Generated from this folder's CMakeLists.txt: icon_mix.ico as "ICO" 107.
tarn::HINSTANCE GdiTestResources();

namespace tarn::test {
namespace {

constexpr uint32_t kCyan = 0xFF00FFFF;
constexpr uint32_t kGreen = 0xFF00FF00;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The icon's pixels as GetIconInfo hands them out; empty when the handle is no icon.
Picture Read(HICON icon)
{
    Picture p;
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return p;
    BITMAP bm;
    if (GetObjectW(info.hbmColor, sizeof bm, &bm) == sizeof bm) {
        p.width = bm.bmWidth;
        p.height = bm.bmHeight;
        const auto* bits = static_cast<const uint32_t*>(bm.bmBits);
        p.pixels.assign(bits, bits + p.width * p.height);
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return p;
}

class TempFile {
public:
    explicit TempFile(const std::vector<uint8_t>& bytes)
        : m_path(std::filesystem::temp_directory_path() / ("tarn_icon_" + std::to_string(getpid()) + "_"
                                                            + std::to_string(s_count++) + ".ico"))
    {
        std::ofstream(m_path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    std::wstring Path() const { return m_path.wstring(); }

private:
    std::filesystem::path m_path;
    static inline int s_count = 0;
};

HICON FromFile(const std::wstring& path, int cx, int cy, UINT flags = 0)
{
    return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, cx, cy, flags | LR_LOADFROMFILE));
}

TEST(Icon, EntryNearestTheAskedSizeIsChosenAndScaledToIt)
{
    // icon_mix.ico: a 16 x 16 cyan DIB and a 32 x 32 green PNG.
    struct Case {
        int cx;
        int cy;
        UINT flags;
        int width;
        uint32_t colour;
    };
    const Case cases[] = {
        {16, 16, 0, 16, kCyan},
        {32, 32, 0, 32, kGreen},
        {20, 20, 0, 20, kCyan},           // nearer to 16
        {24, 24, 0, 24, kGreen},          // a tie: shrinking the larger one
        {64, 64, 0, 64, kGreen},
        {0, 0, 0, 32, kGreen},            // its own size: the largest entry
        {0, 0, LR_DEFAULTSIZE, 32, kGreen},
    };
    for (const Case& c : cases) {
        HICON icon = FromFile(Data("icon_mix.ico"), c.cx, c.cy, c.flags);
        ASSERT_NE(icon, nullptr) << c.cx;
        const Picture p = Read(icon);
        EXPECT_EQ(p.width, c.width) << c.cx;
        EXPECT_EQ(p.height, c.width) << c.cx;
        ASSERT_FALSE(p.pixels.empty());
        // Corners too: scaling must not fade the edges.
        EXPECT_EQ(p.At(0, 0), c.colour) << c.cx;
        EXPECT_EQ(p.At(p.width - 1, p.height - 1), c.colour) << c.cx;
        EXPECT_TRUE(DestroyIcon(icon));
    }
}

TEST(Icon, FromTheModulesEmbeddedTable)
{
    HINSTANCE module = GdiTestResources();
    HICON small = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(107), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(Read(small).At(3, 3), kCyan);
    EXPECT_TRUE(DestroyIcon(small));

    // Shared icons are loaded once and survive DestroyIcon.
    HICON shared = LoadIconW(module, MAKEINTRESOURCEW(107));
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(107)), shared);
    EXPECT_TRUE(DestroyIcon(shared));
    EXPECT_EQ(Read(shared).width, 32);

    EXPECT_EQ(LoadImageW(module, MAKEINTRESOURCEW(999), IMAGE_ICON, 16, 16, 0), nullptr);
    EXPECT_EQ(LoadImageW(TarnUIInstance(), MAKEINTRESOURCEW(107), IMAGE_ICON, 16, 16, 0), nullptr);
    EXPECT_EQ(LoadImageW(module, MAKEINTRESOURCEW(107), IMAGE_BITMAP, 16, 16, 0), nullptr);
}

TEST(Icon, EntryBytesKeepTheirAlphaPremultiplied)
{
    // Straight ARGB: a half-transparent red left half, a clear right half.
    const auto bytes = IcoBuilder::Dib32(8, [](int x, int) { return x < 4 ? 0x80FF0000u : 0x00000000u; });
    HICON icon = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    const Picture p = Read(icon);
    ASSERT_EQ(p.width, 8);
    EXPECT_EQ(p.At(1, 6), 0x80800000u);
    EXPECT_EQ(p.At(6, 1), 0u);

    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 4u);
    BITMAP mask;
    ASSERT_EQ(GetObjectW(info.hbmMask, sizeof mask, &mask), int(sizeof mask));
    const auto* m = static_cast<const uint32_t*>(mask.bmBits);
    EXPECT_EQ(m[1], 0xFF000000u);
    EXPECT_EQ(m[6], 0xFFFFFFFFu);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    // A PNG entry, as the file holds it.
    std::ifstream in(CORVANE_TEST_DATA "/icon_mix.ico", std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 38u);
    const auto at = [&](size_t i) { return uint32_t(file[i]) | uint32_t(file[i + 1]) << 8 | uint32_t(file[i + 2]) << 16 | uint32_t(file[i + 3]) << 24; };
    const uint32_t size = at(6 + 16 + 8);
    const uint32_t offset = at(6 + 16 + 12);
    HICON png = CreateIconFromResourceEx(file.data() + offset, size, TRUE, 0x00030000, 16, 16, 0);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(Read(png).width, 16);
    EXPECT_EQ(Read(png).At(8, 8), kGreen);
    DestroyIcon(png);
}

TEST(Icon, BadDataIsRefused)
{
    const auto good = IcoBuilder().Add(16, [](int, int) { return 0xFF112233u; }).Bytes();
    auto truncated = good;
    truncated.resize(good.size() - 200);
    auto beyond = good;
    beyond[6 + 12] = 0xF0;  // the entry's offset points past the end
    auto noEntries = good;
    noEntries[4] = 0;
    auto cursorBits = good;
    cursorBits[2] = 3;
    std::vector<uint8_t> garbage(300, 0x5A);
    for (const auto* bytes : {&truncated, &beyond, &noEntries, &cursorBits, &garbage}) {
        TempFile file(*bytes);
        EXPECT_EQ(FromFile(file.Path(), 16, 16), nullptr);
    }
    TempFile ok(good);
    HICON icon = FromFile(ok.Path(), 16, 16);
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
    EXPECT_EQ(FromFile(L"/nonexistent/Corvane.ico", 16, 16), nullptr);

    // Entry bytes: a wrong version, a truncated DIB, a header claiming a huge picture.
    const auto dib = IcoBuilder::Dib32(8, [](int, int) { return 0xFF000000u; });
    EXPECT_EQ(CreateIconFromResourceEx(dib.data(), DWORD(dib.size()), TRUE, 0x00020000, 0, 0, 0), nullptr);
    EXPECT_EQ(CreateIconFromResourceEx(dib.data(), 60, TRUE, 0x00030000, 0, 0, 0), nullptr);
    auto huge = dib;
    huge[5] = 0x40;
    EXPECT_EQ(CreateIconFromResourceEx(huge.data(), DWORD(huge.size()), TRUE, 0x00030000, 0, 0, 0), nullptr);
    EXPECT_EQ(CreateIconFromResourceEx(nullptr, 0, TRUE, 0x00030000, 0, 0, 0), nullptr);
    EXPECT_EQ(CreateIconFromResourceEx(dib.data(), DWORD(dib.size()), TRUE, 0x00030000, 5000, 5000, 0), nullptr);
}

TEST(Icon, DrawIconExBlendsCopiesAndScales)
{
    // A 4 x 4 icon: opaque red top row, half-transparent white elsewhere, clear right column.
    const auto bytes = IcoBuilder::Dib32(4, [](int x, int y) {
        if (x == 3)
            return 0x00000000u;
        return y == 0 ? 0xFFFF0000u : 0x80FFFFFFu;
    });
    HICON icon = CreateIconFromResourceEx(bytes.data(), DWORD(bytes.size()), TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);

    Surface clear(8, 8);
    ASSERT_TRUE(DrawIconEx(clear.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(clear.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(clear.At(1, 2), 0x80808080u);  // alpha kept on a transparent surface
    EXPECT_EQ(clear.At(3, 1), 0u);

    Surface blue(8, 8);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    const RECT all(0, 0, 8, 8);
    FillRect(blue.dc, &all, brush);
    ASSERT_TRUE(DrawIconEx(blue.dc, 2, 2, icon, 0, 0, 0, nullptr, DI_NORMAL));
    const uint32_t mixed = blue.At(3, 4);
    EXPECT_EQ(mixed >> 24, 0xFFu);
    EXPECT_NEAR(int(mixed & 0xFF), 0xFF, 1);          // blue stays
    EXPECT_NEAR(int((mixed >> 16) & 0xFF), 0x80, 1);  // white half over it
    EXPECT_EQ(blue.At(5, 3), 0xFF0000FFu);            // the clear column leaves it

    // The image alone replaces, alpha and all.
    ASSERT_TRUE(DrawIconEx(blue.dc, 2, 2, icon, 0, 0, 0, nullptr, DI_IMAGE));
    EXPECT_EQ(blue.At(5, 3), 0u);

    // Scaled to 8 x 8 with a background brush: the box is filled, the red row doubled.
    Surface scaled(8, 8);
    ASSERT_TRUE(DrawIconEx(scaled.dc, 0, 0, icon, 8, 8, 0, brush, DI_NORMAL));
    EXPECT_EQ(scaled.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(scaled.At(2, 0), 0xFFFF0000u);
    EXPECT_EQ(scaled.At(7, 7), 0xFF0000FFu);
    DeleteObject(brush);
    DestroyIcon(icon);
}

TEST(Icon, HandlesAfterDestroyIconAreInvalid)
{
    const auto bytes = IcoBuilder::Dib32(4, [](int, int) { return 0xFF00FF00u; });
    HICON icon = CreateIconFromResourceEx(bytes.data(), DWORD(bytes.size()), TRUE, 0x00030000, 0, 0, 0);
    ASSERT_NE(icon, nullptr);
    Surface s(4, 4);
    // Icons are not GDI objects to select or delete.
    EXPECT_EQ(SelectObject(s.dc, icon), nullptr);
    EXPECT_FALSE(DeleteObject(icon));
    EXPECT_EQ(GetObjectType(icon), 0u);
    HICON copy = CopyIcon(icon);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, icon);

    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(s.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon, &info));
    EXPECT_EQ(CopyIcon(icon), nullptr);
    EXPECT_EQ(s.At(1, 1), 0u);

    // The copy is its own icon.
    EXPECT_TRUE(DrawIconEx(s.dc, 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(s.At(1, 1), 0xFF00FF00u);
    EXPECT_TRUE(DestroyIcon(copy));
}

LRESULT Plain(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

TEST(Icon, WindowKeepsItsSmallAndBigIcons)
{
    HeadlessHost host;
    WNDCLASSEXW wc;
    wc.lpfnWndProc = &Plain;
    wc.lpszClassName = L"IconTest";
    RegisterClassExW(&wc);
    HWND h = CreateWindowExW(0, L"IconTest", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    const auto small = LPARAM(0x10010);
    const auto big = LPARAM(0x10020);
    EXPECT_EQ(SendMessageW(h, WM_SETICON, ICON_SMALL, small), 0);
    EXPECT_EQ(SendMessageW(h, WM_SETICON, ICON_BIG, big), 0);
    EXPECT_EQ(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), small);
    EXPECT_EQ(SendMessageW(h, WM_GETICON, ICON_BIG, 0), big);
    // The previous icon comes back; an unknown kind changes nothing.
    EXPECT_EQ(SendMessageW(h, WM_SETICON, ICON_BIG, 0), big);
    EXPECT_EQ(SendMessageW(h, WM_SETICON, 7, small), 0);
    EXPECT_EQ(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0);
    DestroyWindow(h);
}

} // namespace
} // namespace tarn::test
