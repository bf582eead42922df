#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane::ctl {

// The global options every command shares, and what is left for the command itself.
struct CommandLine {
    std::filesystem::path programDir;
    std::optional<std::filesystem::path> dataDir;
    int deviceType = 201;
    std::optional<std::string> emulate;
    bool transcript = false;
    bool help = false;
    std::string command;
    std::vector<std::string> args;
};

// Fills `out` from argv; on a usage error answers false with the reason in `error`.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);

const char* UsageText();

} // namespace corvane::ctl
