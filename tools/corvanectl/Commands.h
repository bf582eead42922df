#pragma once

#include "tools/corvanectl/CommandLine.h"

#include <cstdio>

namespace corvane::ctl {

// Each command prints to `out` and answers the process exit status (2 for a usage error).
int RunCatalogue(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunLayout(const CommandLine& cmd, std::FILE* out, std::FILE* err);
int RunScan(const CommandLine& cmd, std::FILE* out, std::FILE* err);

} // namespace corvane::ctl
