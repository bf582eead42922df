#include "HeadlessFixture.h"

using namespace tarn;
using tarn::test::HeadlessFixture;

using WindowLife = HeadlessFixture;

TEST_F(WindowLife, CreationAndDestructionFollowTheWindowsOrder)
{
    const std::vector<UINT> life = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                    WM_SHOWWINDOW, WM_DESTROY, WM_NCDESTROY};
    HWND owner = Create(RECT(0, 0, 300, 200));
    HWND owned = Create(RECT(10, 10, 50, 50), WS_POPUP, owner);
    HWND child = Create(RECT(5, 5, 20, 20), WS_CHILD | WS_VISIBLE, owner);
    EXPECT_EQ(Messages(owner, life), (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    // A child gets no WM_GETMINMAXINFO.
    EXPECT_EQ(Messages(child, life), (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));

    log.clear();
    ASSERT_TRUE(DestroyWindow(owner));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& s : log) {
        if (s.msg == WM_DESTROY || s.msg == WM_NCDESTROY)
            order.emplace_back(s.hwnd, s.msg);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, // owned windows go first
        {owner, WM_DESTROY}, {child, WM_DESTROY},   // then down the tree
        {child, WM_NCDESTROY}, {owner, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(WindowLife, CreationParametersAndFailures)
{
    int marker = 0;
    LPVOID seen = nullptr;
    handler = [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_NCCREATE)
            seen = reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams;
        if (msg == WM_CREATE && reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams == nullptr)
            return -1;
        return std::nullopt;
    };
    HWND ok = CreateWindowExW(0, L"TestWindow", L"A", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, &marker);
    EXPECT_TRUE(ok);
    EXPECT_EQ(seen, &marker);

    log.clear();
    EXPECT_EQ(CreateWindowExW(0, L"TestWindow", L"B", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(Messages(nullptr, {WM_DESTROY, WM_NCDESTROY}), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));

    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(CreateWindowExW(0, L"TestWindow", L"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
}

TEST_F(WindowLife, AStaleHandleIsNoLongerAWindowEvenWhenItsSlotIsReused)
{
    HWND old = Create(RECT(0, 0, 10, 10));
    SetPropW(old, L"Control", reinterpret_cast<HANDLE>(7));
    ASSERT_TRUE(DestroyWindow(old));
    HWND fresh = Create(RECT(0, 0, 10, 10));
    EXPECT_NE(fresh, old);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(SendMessageW(old, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageW(old, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetPropW(old, L"Control"), nullptr);
    EXPECT_EQ(GetPropW(fresh, L"Control"), nullptr);
    EXPECT_EQ(SetTimer(old, 1, 100, nullptr), 0u);
    EXPECT_FALSE(DestroyWindow(old));
    RECT r;
    EXPECT_FALSE(GetWindowRect(old, &r));
    EXPECT_EQ(SetWindowLongPtrW(old, GWLP_USERDATA, 5), 0);
}

TEST_F(WindowLife, PropertiesWordsAndText)
{
    HWND w = Create(RECT(0, 0, 10, 10), WS_POPUP, nullptr, 0, L"Caption");
    EXPECT_TRUE(SetPropW(w, L"Control", reinterpret_cast<HANDLE>(42)));
    EXPECT_EQ(GetPropW(w, L"Control"), reinterpret_cast<HANDLE>(42));
    EXPECT_EQ(RemovePropW(w, L"Control"), reinterpret_cast<HANDLE>(42));
    EXPECT_EQ(GetPropW(w, L"Control"), nullptr);

    EXPECT_EQ(SetWindowLongPtrW(w, GWLP_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 99);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)), WS_POPUP);

    wchar_t buffer[5];
    EXPECT_EQ(GetWindowTextLengthW(w), 7);
    EXPECT_EQ(GetWindowTextW(w, buffer, 5), 4); // cut to the buffer, always terminated
    EXPECT_STREQ(buffer, L"Capt");
    SetWindowTextW(w, L"New");
    EXPECT_EQ(FindWindowW(nullptr, L"New"), w);
}

TEST_F(WindowLife, SuperclassingCallsThePreviousProcedure)
{
    WNDCLASSEXW base;
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"TestWindow", &base));
    static WNDPROC previous = base.lpfnWndProc;
    static int derivedCalls = 0;
    derivedCalls = 0;
    WNDCLASSEXW derived = base;
    derived.lpszClassName = L"DerivedWindow";
    derived.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        ++derivedCalls;
        return CallWindowProcW(previous, h, m, wp, lp);
    };
    ASSERT_TRUE(RegisterClassExW(&derived));
    EXPECT_FALSE(RegisterClassExW(&derived));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

    HWND w = Create(RECT(0, 0, 10, 10), WS_POPUP, nullptr, 0, L"D", L"derivedwindow");
    ASSERT_TRUE(w);
    log.clear();
    derivedCalls = 0;
    SendMessageW(w, WM_USER + 5, 1, 2);
    EXPECT_EQ(derivedCalls, 1);
    EXPECT_EQ(Messages(w), std::vector<UINT>{WM_USER + 5});
    EXPECT_FALSE(UnregisterClassW(L"DerivedWindow", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassW(L"DerivedWindow", nullptr));
}

TEST_F(WindowLife, FindWindowByClassAndCaption)
{
    HWND a = Create(RECT(0, 0, 10, 10), WS_POPUP, nullptr, 0, L"Menu Window");
    HWND b = Create(RECT(0, 0, 10, 10), WS_POPUP, nullptr, 0, L"KeyboardTip Window");
    HWND c = Create(RECT(0, 0, 10, 10), WS_CHILD, a, 0, L"Inner");
    HWND p = Create(RECT(0, 0, 10, 10), WS_POPUP, nullptr, 0, L"Menu Window", L"PlainWindow");
    struct Case {
        const wchar_t* cls;
        const wchar_t* caption;
        HWND expected;
    };
    const Case cases[] = {
        {L"TestWindow", L"Menu Window", a},
        {L"testwindow", L"KeyboardTip Window", b}, // class names ignore case
        {L"TestWindow", L"menu window", nullptr},  // captions do not
        {L"PlainWindow", L"Menu Window", p},
        {L"TestWindow", L"Inner", nullptr},        // children are not top-level
        {L"NoSuchClass", nullptr, nullptr},
        {nullptr, L"KeyboardTip Window", b},
    };
    for (const auto& k : cases)
        EXPECT_EQ(FindWindowW(k.cls, k.caption), k.expected) << (k.caption ? "" : "(null caption)");
    EXPECT_EQ(FindWindowExW(a, nullptr, nullptr, L"Inner"), c);
    DestroyWindow(b);
    EXPECT_EQ(FindWindowW(L"TestWindow", L"KeyboardTip Window"), nullptr);
}

TEST_F(WindowLife, CentringOnTheReferenceOrTheNearestWorkArea)
{
    host.SetMonitors({{RECT(0, 0, 1920, 1080), RECT(0, 0, 1920, 1040)},
                      {RECT(1920, 0, 3200, 1024), RECT(1920, 30, 3200, 1024)}});
    HWND owner = Create(RECT(2000, 100, 2400, 400));
    HWND dlg = Create(RECT(2100, 200, 2480, 400), WS_POPUP, owner);
    struct Case {
        const char* what;
        std::function<void()> setup;
        RECT expected;
    };
    const Case cases[] = {
        {"visible owner", [&] { ShowWindow(owner, SW_RESTORE); }, RECT(2010, 150, 2390, 350)},
        {"minimised owner: the work area of the monitor the dialog is on",
         [&] { ShowWindow(owner, SW_MINIMIZE); }, RECT(2370, 427, 2750, 627)},
        {"owner near the edge: pulled back inside the work area",
         [&] { ShowWindow(owner, SW_RESTORE); MoveWindow(owner, 3100, 900, 200, 100, TRUE); }, RECT(2820, 824, 3200, 1024)},
    };
    for (const auto& k : cases) {
        k.setup();
        ASSERT_TRUE(CenterWindowOn(dlg, nullptr));
        RECT r;
        GetWindowRect(dlg, &r);
        EXPECT_EQ(r, k.expected) << k.what;
    }
}

TEST_F(WindowLife, MinMaxInfoLimitsCreationAndMaximising)
{
    handler = [](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg != WM_GETMINMAXINFO)
            return std::nullopt;
        auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
        mmi->ptMinTrackSize = POINT(200, 100);
        mmi->ptMaxTrackSize = POINT(1280, 720);
        mmi->ptMaxSize = POINT(1280, 720);
        return 0;
    };
    HWND w = Create(RECT(10, 10, 60, 60));
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, RECT(10, 10, 210, 110));
    ShowWindow(w, SW_MAXIMIZE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r, RECT(0, 0, 1280, 720));
    EXPECT_TRUE(IsZoomed(w));
    ASSERT_FALSE(Of(WM_SIZE).empty());
    EXPECT_EQ(Of(WM_SIZE).back().wParam, SIZE_MAXIMIZED);
    ShowWindow(w, SW_RESTORE);
    GetWindowRect(w, &r);
    EXPECT_EQ(r, RECT(10, 10, 210, 110));
}
