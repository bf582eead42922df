// reset and firmware-version: the keyboard's own state rather than a page's settings.
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/DeviceRun.h"

namespace corvane::ctl {

namespace {

int NoArguments(const CommandLine& cmd, const char* name, std::FILE* err)
{
    if (cmd.args.empty())
        return 0;
    std::fprintf(err, "corvanectl: %s takes no arguments\n", name);
    return ExitUsage;
}

} // namespace

int RunReset(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (const int status = NoArguments(cmd, "reset", err))
        return status;
    DeviceRun run(cmd);
    if (const int status = run.OpenConnected(err))
        return status;
    run.Tasks().ResetKeyboard();
    run.Finish(out);
    return 0;
}

int RunFirmwareVersion(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (const int status = NoArguments(cmd, "firmware-version", err))
        return status;
    DeviceRun run(cmd);
    if (const int status = run.OpenConnected(err))
        return status;
    run.Tasks().CheckFirmwareVersion();
    std::fprintf(out, "firmware_version\t%d\n", run.FirmwareNumber().value_or(-1));
    run.Finish(out);
    return 0;
}

} // namespace corvane::ctl
