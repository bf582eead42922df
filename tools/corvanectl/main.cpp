#include "tools/corvanectl/CommandLine.h"
#include "tools/corvanectl/Commands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Command {
    const char* name;
    int (*run)(const corvane::ctl::CommandLine&, std::FILE*, std::FILE*);
};

const Command Commands[] = {
    {"catalogue", corvane::ctl::RunCatalogue},
    {"layout", corvane::ctl::RunLayout},
    {"scan", corvane::ctl::RunScan},
    {"post", corvane::ctl::RunPost},
    {"light", corvane::ctl::RunLight},
    {"reset", corvane::ctl::RunReset},
    {"firmware-version", corvane::ctl::RunFirmwareVersion},
    {"keys", corvane::ctl::RunKeys},
    {"colours", corvane::ctl::RunColours},
    {"live-frame", corvane::ctl::RunLiveFrame},
};

} // namespace

int main(int argc, char** argv)
{
    corvane::ctl::CommandLine cmd;
    std::string error;
    if (!corvane::ctl::ParseCommandLine(argc, argv, cmd, error)) {
        std::fprintf(stderr, "corvanectl: %s\n\n%s", error.c_str(), corvane::ctl::UsageText());
        return 2;
    }
    if (cmd.help) {
        std::fputs(corvane::ctl::UsageText(), stdout);
        return 0;
    }
    for (const Command& c : Commands) {
        if (cmd.command == c.name)
            return c.run(cmd, stdout, stderr);
    }
    std::fprintf(stderr, "corvanectl: unknown command \"%s\"\n\n%s", cmd.command.c_str(), corvane::ctl::UsageText());
    return 2;
}
