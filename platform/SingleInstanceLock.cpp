#include "platform/SingleInstanceLock.h"

#include "platform/XdgFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace corvane {

SingleInstanceLock::~SingleInstanceLock()
{
    Release();
}

std::filesystem::path SingleInstanceLock::LockPath(const tarn::CString& deviceName, const std::filesystem::path& runtimeDir)
{
    const std::string name = XdgFolders::FileName(deviceName);
    if (!runtimeDir.empty())
        return runtimeDir / (name + ".lock");
    std::error_code ec;
    auto temp = std::filesystem::temp_directory_path(ec);
    if (ec)
        temp = "/tmp";
    return temp / (name + "-" + std::to_string(::getuid()) + ".lock");
}

SingleInstanceLock::Result SingleInstanceLock::Acquire(const tarn::CString& deviceName, const std::filesystem::path& runtimeDir)
{
    Release();
    // Not inherited by the programs we start, and never through a planted link.
    const auto path = LockPath(deviceName, runtimeDir);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Result::AlreadyRunning : Result::Unavailable;
    }
    m_fd = fd;
    return Result::Acquired;
}

void SingleInstanceLock::Release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace corvane
