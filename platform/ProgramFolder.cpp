#include "platform/ProgramFolder.h"

#include <system_error>

namespace corvane {

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

} // namespace corvane
