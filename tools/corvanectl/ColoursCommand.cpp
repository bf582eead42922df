// colours upload and live-frame: the two transfers that carry a colour for every key.
#include "catalogue/LayoutState.h"
#include "device/Family.h"
#include "tools/corvanectl/CommandOptions.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/DeviceRun.h"
#include "tools/corvanectl/KeyColourView.h"

namespace corvane::ctl {

namespace {

int Usage(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "corvanectl: %s\n", message.c_str());
    return ExitUsage;
}

} // namespace

int RunColours(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (cmd.args.size() != 1 || cmd.args.front() != "upload")
        return Usage(err, "colours needs upload, and nothing more");
    DeviceRun run(cmd);
    if (const int status = run.OpenConnected(err))
        return status;
    run.Tasks().UploadKeyColours();
    run.Finish(out);
    return 0;
}

int RunLiveFrame(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    CommandOptions options;
    std::string error;
    std::optional<uint32_t> colour;
    if (!options.Parse(cmd.args, {"--colour"}, error) || !options.Colour("--colour", colour, error))
        return Usage(err, "live-frame: " + error);
    if (!colour || !options.Words().empty())
        return Usage(err, "live-frame needs --colour RRGGBB and nothing more");

    DeviceRun run(cmd);
    if (const int status = run.Open(err))
        return status;
    const LayoutState layout = run.LayoutSnapshot();
    if (!HasLiveFrames(layout.device_type))
        return Usage(err, "keyboards of device type " + std::to_string(layout.device_type)
                              + " take no live frames (only those below 200 do)");
    run.Rescan();
    if (const int status = run.RequireKeyboard(err))
        return status;
    KeyColourView view(layout);
    const uint32_t c = *colour;
    // Sent on the cable only, and only when some colour is 2 or more; the line says which.
    const bool sent = run.Tasks().Colours().StreamLiveFrame(layout, [c](int, int) { return c; }, view,
                                                             run.ConnectionMode());
    std::fprintf(out, "frame_sent\t%d\n", sent ? 1 : 0);
    run.Finish(out);
    return 0;
}

} // namespace corvane::ctl
