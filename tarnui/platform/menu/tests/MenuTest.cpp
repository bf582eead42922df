#include "tarnui/platform/Menu.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/tests/HeadlessFixture.h"

namespace tarn::test {
namespace {

constexpr UINT_PTR kSettings = 200;
constexpr UINT_PTR kGrayed = 300;
constexpr UINT_PTR kExit = 100;
// Positions in the fixture's menu.
constexpr UINT kSettingsRow = 0;
constexpr UINT kSeparatorRow = 1;
constexpr UINT kGrayedRow = 2;
constexpr UINT kExitRow = 3;

// An owner window and the tray's kind of menu: two items around a separator and a grayed one.
class Menu : public HeadlessFixture {
protected:
    Menu()
    {
        owner = Create(RECT(100, 100, 500, 400));
        menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, kSettings, L"&Settings");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING | MF_GRAYED, kGrayed, L"Unavailable");
        AppendMenuW(menu, MF_STRING, kExit, L"E&xit");
        host.PumpUntilIdle();
    }
    ~Menu() override { DestroyMenu(menu); }

    static HWND MenuWindow() { return FindWindowW(L"#32768", nullptr); }
    POINT ItemCentre(UINT position) const
    {
        RECT r;
        EXPECT_TRUE(GetMenuItemRect(nullptr, menu, position, &r));
        return r.CenterPoint();
    }
    std::vector<WPARAM> Commands() const
    {
        std::vector<WPARAM> ids;
        for (const auto& s : Of(WM_COMMAND))
            ids.push_back(s.wParam);
        return ids;
    }
    // Tracks the menu with steps run one after another inside its loop; then dispatches what
    // it posted.
    BOOL Track(std::vector<std::function<void()>> steps, UINT flags = TPM_RIGHTBUTTON, POINT at = POINT(300, 200))
    {
        uint32_t delay = 10;
        for (auto& step : steps) {
            host.Schedule(delay, std::move(step));
            delay += 10;
        }
        const BOOL r = TrackPopupMenu(menu, flags, at.x, at.y, 0, owner, nullptr);
        host.PumpUntilIdle();
        return r;
    }

    HWND owner = nullptr;
    HMENU menu = nullptr;
};

TEST_F(Menu, ClickOnAnItemPostsItsCommandAndGivesTheActivationBack)
{
    SetActiveWindow(owner);
    RECT shown;
    bool ownerActiveInside = true;
    const BOOL r = Track({[&] {
        GetWindowRect(MenuWindow(), &shown);
        ownerActiveInside = GetActiveWindow() == owner;
        host.Click(ItemCentre(kExitRow));
    }});
    EXPECT_EQ(r, TRUE);
    EXPECT_EQ(shown.TopLeft(), POINT(300, 200));
    EXPECT_FALSE(ownerActiveInside); // the open menu holds the activation
    EXPECT_EQ(Commands(), std::vector<WPARAM>{kExit});
    EXPECT_EQ(Of(WM_COMMAND)[0].lParam, 0);
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(Menu, ReturnCmdAnswersTheItemAndPostsNothing)
{
    const BOOL r = Track({[&] { host.Click(ItemCentre(kSettingsRow)); }}, TPM_RETURNCMD);
    EXPECT_EQ(r, static_cast<BOOL>(kSettings));
    EXPECT_TRUE(Commands().empty());
}

class MenuDismissal;

struct Dismissal {
    const char* name;
    std::function<void(MenuDismissal&)> act;
    bool closes; // false: the menu stays open and Escape ends it afterwards
};

class MenuDismissal : public Menu, public ::testing::WithParamInterface<Dismissal> {
public:
    void Key(UINT vk) { host.KeyDown(vk); }
    void ClickOutside() { host.ClickOutside(); }
    void ClickAt(POINT p, UINT button = VK_LBUTTON) { host.Click(p, button); }
    void ClickRow(UINT row, UINT button = VK_LBUTTON) { host.Click(ItemCentre(row), button); }
};

TEST_P(MenuDismissal, EndsWithoutAChoice)
{
    bool openAfter = false;
    const BOOL r = Track({[&] { GetParam().act(*this); },
                          [&] {
                              openAfter = MenuWindow() != nullptr;
                              host.KeyDown(VK_ESCAPE);
                          }},
                         TPM_RETURNCMD);
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_EQ(openAfter, !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, MenuDismissal,
    ::testing::Values(
        Dismissal{"Escape", [](MenuDismissal& m) { m.Key(VK_ESCAPE); }, true},
        Dismissal{"Alt", [](MenuDismissal& m) { m.Key(VK_MENU); }, true},
        Dismissal{"ClickOutside", [](MenuDismissal& m) { m.ClickOutside(); }, true},
        Dismissal{"PressOnNoWindow", [](MenuDismissal& m) { m.ClickAt(POINT(1500, 900)); }, true},
        Dismissal{"ClickOnTheOwner", [](MenuDismissal& m) { m.ClickAt(POINT(120, 120)); }, true},
        Dismissal{"EndMenu", [](MenuDismissal&) { EndMenu(); }, true},
        Dismissal{"GrayedItem", [](MenuDismissal& m) { m.ClickRow(kGrayedRow); }, false},
        Dismissal{"Separator", [](MenuDismissal& m) { m.ClickRow(kSeparatorRow); }, false},
        // Without TPM_RIGHTBUTTON only the left button chooses.
        Dismissal{"RightButtonNotAllowed", [](MenuDismissal& m) { m.ClickRow(kExitRow, VK_RBUTTON); }, false},
        Dismissal{"EnterWithNothingHighlighted", [](MenuDismissal& m) { m.Key(VK_RETURN); }, false}),
    [](const auto& p) { return std::string(p.param.name); });

struct KeyCase {
    const char* name;
    std::vector<UINT> keys;
    wchar_t typed;
    UINT_PTR chosen;
};

class MenuKeys : public Menu, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MenuKeys, ChooseSkippingSeparatorsAndGrayedItems)
{
    const KeyCase& c = GetParam();
    const BOOL r = Track({[&] {
                              for (UINT vk : c.keys) {
                                  host.KeyDown(vk);
                                  host.KeyUp(vk);
                              }
                              if (c.typed)
                                  host.Type(std::wstring(1, c.typed));
                          },
                          [&] { host.KeyDown(VK_ESCAPE); }},
                         TPM_RETURNCMD);
    EXPECT_EQ(static_cast<UINT_PTR>(r), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, MenuKeys,
    ::testing::Values(KeyCase{"DownChoosesTheFirst", {VK_DOWN, VK_RETURN}, 0, kSettings},
                      KeyCase{"SecondDownSkipsToExit", {VK_DOWN, VK_DOWN, VK_RETURN}, 0, kExit},
                      KeyCase{"DownWrapsAround", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 0, kSettings},
                      KeyCase{"UpStartsAtTheLast", {VK_UP, VK_RETURN}, 0, kExit},
                      KeyCase{"EndThenHome", {VK_END, VK_HOME, VK_RETURN}, 0, kSettings},
                      KeyCase{"Mnemonic", {}, L'X', kExit},
                      KeyCase{"MnemonicOfNoItem", {}, L'u', 0},
                      KeyCase{"EscapeAfterMoving", {VK_DOWN, VK_ESCAPE, VK_RETURN}, 0, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Menu, HoveredRowIsHighlightedAndCheckedItemsCarryAMark)
{
    // The owner may change the items when it is told the menu opens.
    handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_INITMENUPOPUP)
            CheckMenuItem(reinterpret_cast<HMENU>(wParam), kExit, MF_BYCOMMAND | MF_CHECKED);
        return std::nullopt;
    };
    std::vector<uint32_t> hovered;
    std::vector<uint32_t> hoveredGrayed;
    std::vector<uint32_t> left;
    HWND wnd = nullptr;
    RECT rows[4];
    RECT window;
    Track({[&] {
               wnd = MenuWindow();
               GetWindowRect(wnd, &window);
               for (UINT i = 0; i < 4; ++i) {
                   GetMenuItemRect(nullptr, menu, i, &rows[i]);
                   rows[i].OffsetRect(-window.left, -window.top);
               }
               host.MoveMouse(ItemCentre(kSettingsRow));
           },
           [&] {
               hovered = host.Presented(wnd);
               host.MoveMouse(ItemCentre(kGrayedRow));
           },
           [&] {
               hoveredGrayed = host.Presented(wnd);
               host.MoveMouse(POINT(1500, 900));
           },
           [&] {
               left = host.Presented(wnd);
               host.KeyDown(VK_ESCAPE);
           }});
    const int w = window.Width();
    ASSERT_EQ(hovered.size(), static_cast<size_t>(w * window.Height()));
    const auto at = [&](const std::vector<uint32_t>& px, int x, int y) { return px[static_cast<size_t>(y * w + x)]; };
    const auto dark = [&](const std::vector<uint32_t>& px, RECT r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (at(px, x, y) & 0xFF) < 0x80;
        return n;
    };
    const uint32_t face = 0xFFFFFFFF;
    const uint32_t hot = 0xFFCCE4F7;
    const int probeX = rows[0].right - 3; // right of every text
    EXPECT_EQ(at(hovered, 0, 0), 0xFFA0A0A0u);
    EXPECT_EQ(at(hovered, w - 1, window.Height() - 1), 0xFFA0A0A0u);
    EXPECT_EQ(at(hovered, probeX, rows[kSettingsRow].top + 1), hot);
    EXPECT_EQ(at(hovered, probeX, rows[kExitRow].top + 1), face);
    EXPECT_EQ(at(hovered, probeX, rows[kSeparatorRow].CenterPoint().y), 0xFFD7D7D7u);
    EXPECT_EQ(at(hovered, probeX, rows[kSeparatorRow].top), face);
    EXPECT_GT(dark(hovered, RECT(rows[0].left + 28, rows[0].top, rows[0].right, rows[0].bottom)), 10); // its text
    // The check column: a mark for the item checked on WM_INITMENUPOPUP only.
    const auto column = [&](UINT row) { return RECT(rows[row].left, rows[row].top, rows[row].left + 28, rows[row].bottom); };
    EXPECT_GT(dark(hovered, column(kExitRow)), 3);
    EXPECT_EQ(dark(hovered, column(kSettingsRow)), 0);
    // A grayed item is not highlighted; leaving the menu clears the highlight.
    EXPECT_EQ(at(hoveredGrayed, probeX, rows[kGrayedRow].top + 1), face);
    EXPECT_EQ(at(hoveredGrayed, probeX, rows[kSettingsRow].top + 1), face);
    EXPECT_EQ(at(left, probeX, rows[kSettingsRow].top + 1), face);
}

TEST_F(Menu, OwnerHearsTheMenuLoopUnlessNoNotify)
{
    Track({[&] { host.KeyDown(VK_ESCAPE); }});
    EXPECT_EQ(Messages(owner, {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}),
              (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
    ASSERT_EQ(Of(WM_INITMENUPOPUP).size(), 1u);
    EXPECT_EQ(Of(WM_INITMENUPOPUP)[0].wParam, reinterpret_cast<WPARAM>(menu));
    log.clear();
    Track({[&] { host.KeyDown(VK_ESCAPE); }}, TPM_NONOTIFY);
    EXPECT_TRUE(Messages(owner, {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP}).empty());
}

TEST_F(Menu, TrayCornerOpensAboveAndLeftOfThePointer)
{
    RECT shown;
    Track({[&] {
        GetWindowRect(MenuWindow(), &shown);
        host.KeyDown(VK_ESCAPE);
    }},
          TPM_RIGHTBUTTON, POINT(1900, 1060));
    EXPECT_EQ(shown.BottomRight(), POINT(1900, 1060));
    EXPECT_GT(shown.Height(), 4 * 20);
}

TEST_F(Menu, QuitWhileOpenEndsTheMenuAndStaysQueued)
{
    host.Schedule(10, [] { PostQuitMessage(7); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 300, 200, 0, owner, nullptr), 0);
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_FALSE(host.PumpUntilIdle());
    EXPECT_EQ(host.QuitCode(), 7);
}

TEST_F(Menu, OwnerDestroyedWhileOpenEndsTheMenu)
{
    const BOOL r = Track({[&] { DestroyWindow(owner); }});
    EXPECT_EQ(r, TRUE);
    EXPECT_EQ(MenuWindow(), nullptr);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(Menu, RefusedCalls)
{
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, reinterpret_cast<HWND>(0x1234), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

    HMENU empty = CreatePopupMenu();
    EXPECT_FALSE(TrackPopupMenu(empty, 0, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(MenuWindow(), nullptr);
    ASSERT_TRUE(DestroyMenu(empty));
    EXPECT_FALSE(IsMenu(empty));
    EXPECT_FALSE(DestroyMenu(empty));
    EXPECT_FALSE(AppendMenuW(empty, MF_STRING, 1, L"x"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    EXPECT_FALSE(TrackPopupMenu(empty, 0, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    EXPECT_EQ(GetMenuItemCount(empty), -1);

    // Submenus and pictures are not drawn, so they are not taken.
    EXPECT_FALSE(AppendMenuW(menu, MF_POPUP, 5, L"More"));
    EXPECT_FALSE(AppendMenuW(menu, MF_BITMAP, 6, nullptr));
    EXPECT_EQ(GetMenuItemCount(menu), 4);

    // One menu at a time.
    BOOL nested = TRUE;
    DWORD nestedError = 0;
    Track({[&] {
        nested = TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
        nestedError = GetLastError();
        host.KeyDown(VK_ESCAPE);
    }});
    EXPECT_FALSE(nested);
    EXPECT_EQ(nestedError, ERROR_POPUP_ALREADY_ACTIVE);
}

TEST_F(Menu, ItemStateCalls)
{
    EXPECT_EQ(GetMenuItemID(menu, 0), kSettings);
    EXPECT_EQ(GetMenuItemID(menu, 1), 0u);
    EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<UINT>(-1));
    EXPECT_EQ(CheckMenuItem(menu, kSettings, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 999, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(menu, kGrayed, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu, kExit, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
    // The state set here is what the next tracking shows: Exit can no longer be chosen, the
    // formerly grayed item can.
    const BOOL r = Track({[&] {
        host.Click(ItemCentre(kExitRow));
        host.Click(ItemCentre(kGrayedRow));
    }},
                         TPM_RETURNCMD);
    EXPECT_EQ(static_cast<UINT_PTR>(r), kGrayed);
}

} // namespace
} // namespace tarn::test
