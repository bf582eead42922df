#include "platform/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

FileAccess::ReadResult FileAccess::Read(const std::filesystem::path& path, std::size_t maxBytes, std::string& out)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    char buffer[8192];
    while (out.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - out.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            out.clear();
            return ReadResult::Failed;
        }
        if (got == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ReadResult::Ok;
}

bool FileAccess::WriteAtomically(const std::filesystem::path& path, const std::string& content)
{
    std::filesystem::path temp = path;
    temp += ".XXXXXX";
    std::string name = temp.string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t put = ::write(fd, content.data() + done, content.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        ok = put > 0;
        if (ok)
            done += static_cast<std::size_t>(put);
    }
    ok = ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(name.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(name.c_str());
    return false;
}

} // namespace corvane
