#include "catalogue/DeviceRecord.h"
#include "device/ConnectionState.h"
#include "device/KeyboardDevice.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/Session.h"
#include "tools/corvanectl/SilentViews.h"

namespace corvane::ctl {

namespace {

void PrintInterface(std::FILE* out, const char* role, const KeyboardDevice::Interface& i)
{
    std::fprintf(out, "interface\t%s\t%d\t%d\t%04x\t%04x\t%04x\t%04x\t%d\t%s\n", role, i.mode, i.device_type, i.vid, i.pid,
                 i.usage_page, i.usage, i.interface_number, i.interface_path.ToUtf8().c_str());
}

} // namespace

int RunScan(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (!cmd.args.empty()) {
        std::fprintf(err, "corvanectl: scan takes no arguments\n");
        return 2;
    }
    Session session;
    if (!session.Open(cmd, err))
        return 2;
    SilentViews views;
    KeyboardDevice& device = session.Device();
    ConnectionState state(device, session.GetCatalogue().DeviceModes(), views, views, views, cmd.deviceType);
    state.RescanAndSetUp();

    device.SelectDeviceType(0);
    std::vector<KeyboardDevice::Interface> list;
    device.ListInterfaces(list);
    for (const auto& i : list)
        PrintInterface(out, "cmd", i);
    if (const auto live = device.LiveInterface())
        PrintInterface(out, "live", *live);
    device.SelectDeviceType(cmd.deviceType);
    const KeyboardDevice::Interface* chosen = device.ChooseInterface();
    std::fprintf(out, "present\t%d\nconnected\t%d\nconnection_mode\t%d\nchosen_mode\t%d\n", state.Present() ? 1 : 0,
                 state.Connected() ? 1 : 0, state.Present() ? state.ConnectionMode() : -1, chosen ? chosen->mode : -1);
    session.PrintAfterCommand(cmd, out);
    return 0;
}

} // namespace corvane::ctl
