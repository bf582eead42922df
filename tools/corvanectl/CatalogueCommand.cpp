#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSink.h"
#include "tarnui/platform/Defaults.h"
#include "tools/corvanectl/Commands.h"

namespace corvane::ctl {

namespace {

// corvanectl shows the tables afterwards; the live consumers are the program's controls.
class NullSink : public CatalogueSink {
public:
    void AddDevice(const tarn::CString&, int, int, int, bool) override {}
    void AddModel(int, int, const tarn::CString&, int, int, const tarn::CString&) override {}
    void SetVersionText(const tarn::CString&) override {}
    void SetCopyrightText(const tarn::CString&) override {}
};

void PrintRecord(std::FILE* out, const char* kind, const DeviceRecord& r)
{
    std::fprintf(out, "%s\t%s\t%d\t%s\t%d\t%04x\t%04x\t%s\t%s\n", kind, r.name.ToUtf8().c_str(), r.device_type,
                 r.device_info.ToUtf8().c_str(), r.mode, static_cast<unsigned>(r.vid) & 0xFFFFu,
                 static_cast<unsigned>(r.pid) & 0xFFFFu, r.desc.ToUtf8().c_str(), r.hid_interface.ToUtf8().c_str());
}

void PrintValue(std::FILE* out, const char* name, const tarn::CString& value)
{
    std::fprintf(out, "%s\t%s\n", name, value.ToUtf8().c_str());
}

} // namespace

int RunCatalogue(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (!cmd.args.empty()) {
        std::fprintf(err, "corvanectl: catalogue takes no arguments\n");
        return 2;
    }
    Catalogue catalogue;
    NullSink sink;
    catalogue.Read(cmd.programDir, sink);
    const tarn::CString deviceName = Catalogue::ReadDeviceName(cmd.programDir).value_or(tarn::DefaultDeviceName);

    std::fprintf(out, "kind\tname\tdevice_type\tdevice_info\tmode\tvid\tpid\tdesc\thid_interface\n");
    for (const DeviceRecord& r : catalogue.KeyboardModels())
        PrintRecord(out, "keyboard", r);
    for (const DeviceRecord& r : catalogue.DeviceModes())
        PrintRecord(out, "mode", r);
    PrintValue(out, "version", catalogue.Version());
    PrintValue(out, "website", catalogue.Website());
    PrintValue(out, "store", catalogue.Store());
    PrintValue(out, "upgrade", catalogue.Upgrade());
    PrintValue(out, "copyright", catalogue.Copyright());
    PrintValue(out, "device_name", deviceName);
    return 0;
}

} // namespace corvane::ctl
