#include "tarnui/platform/InstanceWindow.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace tarn::test {
namespace {

// Runs the helper as a separate process; its exit code and first output line.
struct Run {
    int code = -1;
    std::string out;
};
Run Tool(std::vector<std::string> args)
{
    args.insert(args.begin(), TARN_X11_POST_TOOL);
    std::string cmd;
    for (const auto& a : args)
        cmd += "'" + a + "' ";
    Run r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char line[128] = {};
    if (fgets(line, sizeof line, p))
        r.out = line;
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    while (!r.out.empty() && (r.out.back() == '\n'))
        r.out.pop_back();
    return r;
}

class X11Instance : public X11Fixture {
protected:
    HWND Published(const wchar_t* name)
    {
        HWND h = Create(RECT(400, 400, 500, 460));
        EXPECT_TRUE(PublishInstanceWindow(h, name));
        m_session->Sync();
        return h;
    }
};

TEST_F(X11Instance, SecondProcessFindsTheMarkedWindowAlsoWhenHidden)
{
    HWND h = Published(L"Corvane Test Kbd");
    EXPECT_EQ(Tool({"find", "Corvane Test Kbd"}).out, std::to_string(m_session->NativeWindow(h)));
    ShowWindow(h, SW_HIDE);
    m_session->Sync();
    EXPECT_EQ(Tool({"find", "Corvane Test Kbd"}).out, std::to_string(m_session->NativeWindow(h)));
    EXPECT_EQ(Tool({"find", "Corvane Test"}).code, 1);
    EXPECT_EQ(Tool({"find", "corvane test kbd"}).code, 1);
    EXPECT_FALSE(PublishInstanceWindow(h, L""));
}

TEST_F(X11Instance, MessagesFromAnotherProcessArriveInTheQueueAndSystemOnesAreRefused)
{
    HWND h = Published(L"Corvane Post");
    EXPECT_EQ(Tool({"post", "Corvane Post", "16", "0", "0"}).code, 0);  // WM_CLOSE: refused on arrival
    EXPECT_EQ(Tool({"post", "Corvane Post", "1092", "0", "-7"}).code, 0);
    EXPECT_EQ(Tool({"post", "Corvane Post", "1691", "610", "0"}).code, 0);
    ASSERT_TRUE(PumpUntil([&] { return !SeenOf(h, 1691).empty(); }));
    EXPECT_TRUE(IsWindow(h));
    EXPECT_TRUE(SeenOf(h, WM_CLOSE).empty());
    ASSERT_EQ(SeenOf(h, 1092).size(), 1u);
    EXPECT_EQ(SeenOf(h, 1092)[0].lParam, -7);
    EXPECT_EQ(SeenOf(h, 1691)[0].wParam, 610u);

    EXPECT_EQ(Tool({"post", "Nobody", "1691", "610", "0"}).code, 1);
    for (const char* bad : {"12x", "", "70000", "-1"})
        EXPECT_EQ(Tool({"post", "Corvane Post", bad, "0", "0"}).code, 2) << bad;
}

TEST_F(X11Instance, ForwardRequestShowsAndActivatesTheHiddenWindow)
{
    HWND other = Create(RECT(10, 10, 60, 60));
    HWND h = Published(L"Corvane Forward");
    ShowWindow(h, SW_HIDE);
    SetForegroundWindow(other);
    ASSERT_EQ(Tool({"forward", "Corvane Forward"}).code, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(h) && Viewable(h); }));
    EXPECT_EQ(GetActiveWindow(), h);
}

} // namespace
} // namespace tarn::test
