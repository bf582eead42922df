#pragma once

#include "tools/corvanectl/CommandLine.h"

#include <cstdio>

namespace corvane::ctl {

constexpr int ExitFailure = 1; // no keyboard, a database or layout that cannot be used
constexpr int ExitUsage = 2;   // the command line asks for something that cannot be

// Each command prints to `out` and answers the process exit status.
int RunCatalogue(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunLayout(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunScan(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunPost(const CommandLine& cmd, std::FILE* out, std::FILE* err);
// light show | select MODE | set [...]
int RunLight(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunReset(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunFirmwareVersion(const CommandLine& cmd, std::FILE* out, std::FILE* err);
// keys show | upload [--profile P]
int RunKeys(const CommandLine& cmd, std::FILE* out, std::FILE* err);
// colours upload
int RunColours(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunLiveFrame(const CommandLine& cmd, std::FILE* out, std::FILE* err);

} // namespace corvane::ctl
