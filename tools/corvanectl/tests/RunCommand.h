#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace corvane::test {

// Runs a shell command line (the tool with its arguments and redirections) and answers its exit
// status, -1 when it did not exit normally, and what it printed on standard output.
inline int RunCommand(const std::string& command, std::string& out)
{
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int raw = ::pclose(pipe);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace corvane::test
