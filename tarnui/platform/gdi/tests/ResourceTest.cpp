#include "tarnui/platform/Resources.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/tests/GdiFixture.h"

namespace tarn::test {
namespace {

TEST(Resources, LibraryTableByTypeAndId)
{
    HINSTANCE lib = TarnUIInstance();
    ASSERT_NE(lib, nullptr);
    for (UINT id : {101u, 102u}) {
        HRSRC r = FindResourceW(lib, MAKEINTRESOURCEW(id), L"png");
        ASSERT_NE(r, nullptr) << id;
        auto image = gp::Image::FromResource(lib, id, L"PNG");
        ASSERT_NE(image, nullptr) << id;
        // Four frames: side by side for the vertical bar, stacked for the horizontal one.
        if (id == 102)
            EXPECT_EQ(image->GetWidth() % 4, 0u);
        else
            EXPECT_EQ(image->GetHeight() % 4, 0u);
    }
    HRSRC font = FindResourceW(lib, MAKEINTRESOURCEW(106), L"ttf");
    ASSERT_NE(font, nullptr);
    EXPECT_GT(SizeofResource(lib, font), 100000u);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(lib, font)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 1);
}

TEST(Resources, MissingOnesAndForeignModulesAreRefused)
{
    HINSTANCE lib = TarnUIInstance();
    EXPECT_EQ(FindResourceW(lib, MAKEINTRESOURCEW(999), L"PNG"), nullptr);
    EXPECT_EQ(FindResourceW(lib, MAKEINTRESOURCEW(101), L"GIF"), nullptr);
    EXPECT_EQ(FindResourceW(lib, L"NAMED", L"PNG"), nullptr);
    int notATable = 0;
    EXPECT_EQ(FindResourceW(reinterpret_cast<HINSTANCE>(&notATable), MAKEINTRESOURCEW(101), L"PNG"), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(101), L"PNG"), nullptr);
    EXPECT_EQ(gp::Image::FromResource(lib, 106, L"ttf"), nullptr);
}

TEST(Resources, EmbeddedFontServesGdiAndPrivateCollections)
{
    REQUIRE_TEST_FONT();
    HINSTANCE lib = TarnUIInstance();
    HRSRC r = FindResourceW(lib, MAKEINTRESOURCEW(106), L"ttf");
    const void* data = LockResource(LoadResource(lib, r));
    DWORD fonts = 0;
    HANDLE added = AddFontMemResourceEx(data, SizeofResource(lib, r), nullptr, &fonts);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(fonts, 1u);
    EXPECT_TRUE(RemoveFontMemResourceEx(added));
    EXPECT_FALSE(RemoveFontMemResourceEx(added));

    gp::PrivateFontCollection collection;
    ASSERT_EQ(collection.AddMemoryFont(data, static_cast<int>(SizeofResource(lib, r))), gp::Ok);
    EXPECT_GE(collection.GetFamilyCount(), 1);
}

} // namespace
} // namespace tarn::test
