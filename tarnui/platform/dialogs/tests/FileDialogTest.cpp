#include "tarnui/platform/FileDialog.h"
#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinUser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarn;
using ::testing::ElementsAre;

namespace {

// A folder of stand-in dialog programs, put first on PATH with a display set while it lives.
class FakeDesktop {
public:
    FakeDesktop()
        : m_dir(std::filesystem::temp_directory_path() / ("tarnui-dialog-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_dir);
        const char* path = std::getenv("PATH");
        const char* display = std::getenv("DISPLAY");
        m_path = path ? path : "";
        m_display = display ? display : "";
        ::setenv("PATH", m_dir.c_str(), 1);
        ::setenv("DISPLAY", ":77", 1);
    }
    ~FakeDesktop()
    {
        ::setenv("PATH", m_path.c_str(), 1);
        ::setenv("DISPLAY", m_display.c_str(), 1);
        std::filesystem::remove_all(m_dir);
    }
    // A program that prints `out`, records its arguments and ends with `code`.
    void Program(const std::string& name, const std::string& out, int code)
    {
        const auto file = m_dir / name;
        std::ofstream(file) << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" << (m_dir / "args").string()
                            << "\"\nprintf '%s' '" << out << "'\nexit " << code << "\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
    std::vector<std::string> Arguments() const
    {
        std::ifstream in(m_dir / "args");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    std::string Dir() const { return m_dir.string(); }

private:
    std::filesystem::path m_dir;
    std::string m_path;
    std::string m_display;
};

int g_pumped = 0;
LRESULT OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 5)
        ++g_pumped;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

FileDialogRequest SaveMacro(HWND owner = nullptr)
{
    return {owner, true, L"Export", {{L"Macro (*.xml)", L"*.xml"}}, L"/tmp/m\u00E4cro.xml"};
}

TEST(FileDialog, CommandsForEachDesktopProgram)
{
    FakeDesktop desktop;
    EXPECT_FALSE(FileDialogCommandFor(SaveMacro(), desktop.Dir()));
    desktop.Program("kdialog", "", 0);
    auto kdialog = FileDialogCommandFor(SaveMacro(), desktop.Dir());
    ASSERT_TRUE(kdialog);
    EXPECT_THAT(kdialog->arguments, ElementsAre("kdialog", "--title", "Export", "--getsavefilename",
                                                "/tmp/m\xC3\xA4" "cro.xml", "*.xml|Macro (*.xml)"));
    desktop.Program("zenity", "", 0);
    auto zenity = FileDialogCommandFor({nullptr, false, L"", {{L"Macros (*.xml)", L"*.xml"}}, L""}, desktop.Dir());
    ASSERT_TRUE(zenity);
    EXPECT_EQ(zenity->program, desktop.Dir() + "/zenity") << "zenity is preferred";
    EXPECT_THAT(zenity->arguments, ElementsAre("zenity", "--file-selection", "--file-filter=Macros (*.xml) | *.xml"));
    EXPECT_FALSE(FileDialogCommandFor(SaveMacro(), "relative/dir:")) << "only absolute folders are searched";
}

TEST(FileDialog, OutcomesWhileTheLoopRuns)
{
    HeadlessHost host;
    FakeDesktop desktop;
    WNDCLASSEXW wc;
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = L"DialogOwner";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    HWND owner = CreateWindowExW(0, L"DialogOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    struct Case {
        std::string out;
        int code;
        FileDialogOutcome outcome;
        std::wstring chosen;
    };
    const Case cases[] = {
        {"/home/u/m\xC3\xA4" "cro.xml\n", 0, FileDialogOutcome::Chosen, L"/home/u/m\u00E4cro.xml"},
        {"", 1, FileDialogOutcome::Cancelled, L""},
        {"", 0, FileDialogOutcome::Cancelled, L""},
        {"", 255, FileDialogOutcome::NotAvailable, L""},
    };
    for (const Case& c : cases) {
        desktop.Program("zenity", c.out, c.code);
        g_pumped = 0;
        PostMessageW(owner, WM_USER + 5, 0, 0);
        std::wstring chosen;
        EXPECT_EQ(ShowFileDialog(SaveMacro(owner), chosen), c.outcome) << c.out;
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(g_pumped, 1) << "messages keep flowing while the dialog runs";
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
    EXPECT_THAT(desktop.Arguments(), ElementsAre("--file-selection", "--save", "--confirm-overwrite", "--title=Export",
                                                 "--filename=/tmp/m\xC3\xA4" "cro.xml",
                                                 "--file-filter=Macro (*.xml) | *.xml"));
    ::setenv("DISPLAY", "", 1);
    std::wstring chosen;
    EXPECT_EQ(ShowFileDialog(SaveMacro(owner), chosen), FileDialogOutcome::NotAvailable) << "no display, no child";
    DestroyWindow(owner);
}

} // namespace
