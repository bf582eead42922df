#include "tarnui/platform/FileDialog.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinUser.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarn {

namespace {

std::string Utf8(const std::wstring& s)
{
    return CString(s).ToUtf8();
}

std::string FindProgram(const std::string& name, const std::string& searchPath)
{
    size_t start = 0;
    while (start <= searchPath.size()) {
        const size_t end = std::min(searchPath.find(':', start), searchPath.size());
        const std::string dir = searchPath.substr(start, end - start);
        if (!dir.empty() && dir[0] == '/') {
            const std::string candidate = dir + "/" + name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::vector<std::string> ZenityArguments(const FileDialogRequest& r)
{
    std::vector<std::string> a = {"zenity", "--file-selection"};
    if (r.save)
        a.insert(a.end(), {"--save", "--confirm-overwrite"});
    if (!r.title.empty())
        a.push_back("--title=" + Utf8(r.title));
    if (!r.initial.empty())
        a.push_back("--filename=" + Utf8(r.initial));
    for (const FileDialogFilter& f : r.filters)
        a.push_back("--file-filter=" + Utf8(f.name) + " | " + Utf8(f.pattern));
    return a;
}

std::vector<std::string> KdialogArguments(const FileDialogRequest& r)
{
    std::vector<std::string> a = {"kdialog"};
    if (!r.title.empty())
        a.insert(a.end(), {"--title", Utf8(r.title)});
    a.push_back(r.save ? "--getsavefilename" : "--getopenfilename");
    a.push_back(r.initial.empty() ? "." : Utf8(r.initial));
    std::string filter;
    for (const FileDialogFilter& f : r.filters) {
        if (!filter.empty())
            filter += "\n";
        filter += Utf8(f.pattern) + "|" + Utf8(f.name);
    }
    if (!filter.empty())
        a.push_back(filter);
    return a;
}

// The child's output and its end, read while this thread's loop runs.
struct Child {
    pid_t pid = -1;
    int out = -1;
    std::string text;
    bool ended = false;
};

bool Spawn(const FileDialogCommand& command, Child& child)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& arg : command.arguments)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int spawned = ::posix_spawn(&child.pid, command.program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        return false;
    }
    child.out = pipeFds[0];
    return true;
}

} // namespace

std::optional<FileDialogCommand> FileDialogCommandFor(const FileDialogRequest& request, const std::string& searchPath)
{
    if (std::string zenity = FindProgram("zenity", searchPath); !zenity.empty())
        return FileDialogCommand{zenity, ZenityArguments(request)};
    if (std::string kdialog = FindProgram("kdialog", searchPath); !kdialog.empty())
        return FileDialogCommand{kdialog, KdialogArguments(request)};
    return std::nullopt;
}

FileDialogOutcome ShowFileDialog(const FileDialogRequest& request, std::wstring& chosen)
{
    // Without a display the child would only fail; the caller's own dialog can do better.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !*display) && (!wayland || !*wayland))
        return FileDialogOutcome::NotAvailable;
    const char* path = std::getenv("PATH");
    const auto command = FileDialogCommandFor(request, path ? path : "/usr/bin:/bin");
    Child child;
    if (!command || !Spawn(*command, child))
        return FileDialogOutcome::NotAvailable;

    const bool ownerWasEnabled = request.owner && IsWindowEnabled(request.owner);
    if (ownerWasEnabled)
        EnableWindow(request.owner, FALSE);
    const DWORD thread = GetCurrentThreadId();
    const UINT watch = WatchFd(child.out, POLLIN, [&child, thread](int fd, short) {
        char buffer[4096];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            child.text.append(buffer, static_cast<size_t>(n));
            return;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            return;
        child.ended = true;
        PostThreadMessageW(thread, WM_NULL, 0, 0); // wakes the loop below
    });
    bool quit = false;
    int quitCode = 0;
    MSG msg;
    while (!child.ended && watch != 0) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnwatchFd(watch);
    ::close(child.out);
    if (!child.ended)
        ::kill(child.pid, SIGTERM); // the loop is ending: the dialog goes with it
    int status = 0;
    while (::waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (ownerWasEnabled)
        EnableWindow(request.owner, TRUE);
    if (quit)
        PostQuitMessage(quitCode); // the enclosing loop must still see it

    if (!WIFEXITED(status))
        return FileDialogOutcome::Cancelled;
    const int code = WEXITSTATUS(status);
    if (code == 1)
        return FileDialogOutcome::Cancelled;
    if (code != 0)
        return FileDialogOutcome::NotAvailable; // it ran but could not show itself
    child.text = child.text.substr(0, child.text.find_first_of("\r\n"));
    if (child.text.empty())
        return FileDialogOutcome::Cancelled;
    chosen = CString::FromUtf8(child.text).str();
    return FileDialogOutcome::Chosen;
}

} // namespace tarn
