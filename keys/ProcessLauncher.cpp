#include "keys/ProcessLauncher.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace corvane {

namespace {

// The spawn attributes and stream redirections, released however the spawn ends.
class SpawnSetup {
public:
    explicit SpawnSetup(bool own_session)
    {
        m_ok = posix_spawnattr_init(&m_attr) == 0;
        m_ok = posix_spawn_file_actions_init(&m_actions) == 0 && m_ok;
        if (!m_ok)
            return;
        // The child starts with default signal handling and nothing blocked, whatever ours are.
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (own_session)
            flags = static_cast<short>(flags | POSIX_SPAWN_SETSID);
        m_ok = posix_spawnattr_setsigmask(&m_attr, &none) == 0 && posix_spawnattr_setsigdefault(&m_attr, &all) == 0
               && posix_spawnattr_setflags(&m_attr, flags) == 0;
        for (int fd = 0; fd <= 2 && m_ok; ++fd)
            m_ok = posix_spawn_file_actions_addopen(&m_actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attr);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The child's id, or -1.
    pid_t Spawn(const std::vector<std::string>& argv)
    {
        if (!m_ok || argv.empty() || argv[0].empty())
            return -1;
        std::vector<char*> args;
        args.reserve(argv.size() + 1);
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        pid_t pid = -1;
        if (posix_spawnp(&pid, args[0], &m_actions, &m_attr, args.data(), environ) != 0)
            return -1;
        return pid;
    }

private:
    posix_spawnattr_t m_attr{};
    posix_spawn_file_actions_t m_actions{};
    bool m_ok = false;
};

int WaitForExit(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

} // namespace

ProcessLauncher::ProcessLauncher(std::string opener) : m_opener(std::move(opener)) {}

bool ProcessLauncher::StartProgram(const tarn::CString& path) const
{
    const std::string file = path.ToUtf8();
    // A bare name is not searched in PATH: the key names a file, not a command.
    if (file.find('/') != std::string::npos && IsExecutableFile(file))
        return SpawnDetached({file});
    return Open(file);
}

bool ProcessLauncher::OpenAddress(const tarn::CString& url) const
{
    return Open(url.ToUtf8());
}

bool ProcessLauncher::Open(const std::string& target) const
{
    // A target starting with "-" would reach the opener as an option.
    if (target.empty() || target[0] == '-')
        return false;
    return SpawnDetached({m_opener, target});
}

bool ProcessLauncher::SpawnDetached(const std::vector<std::string>& argv)
{
    SpawnSetup setup(true);
    const pid_t pid = setup.Spawn(argv);
    if (pid < 0)
        return false;
    // The program outlives the key press; someone still has to collect its exit.
    std::thread([pid] { WaitForExit(pid); }).detach();
    return true;
}

int ProcessLauncher::RunAndWait(const std::vector<std::string>& argv)
{
    SpawnSetup setup(false);
    const pid_t pid = setup.Spawn(argv);
    return pid < 0 ? -1 : WaitForExit(pid);
}

} // namespace corvane
