#include "tools/corvanectl/Session.h"

#include "catalogue/CatalogueSink.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/EmulatorLinks.h"
#include "emulator/VirtualClock.h"
#include "platform/DataFolder.h"
#include "platform/HidTransport.h"
#include "platform/XdgFolders.h"
#include "store/ConfigStore.h"
#include "tarnui/platform/Defaults.h"
#include "tools/corvanectl/RealBus.h"
#include "tools/corvanectl/RecordingTransport.h"
#include "tools/corvanectl/RequestedPauses.h"

namespace corvane::ctl {

namespace {

// Feeds the catalogue's modes to the device link as the program does at start-up.
class ModelSink : public CatalogueSink {
public:
    explicit ModelSink(KeyboardDevice*& device) : m_device(device) {}
    void AddDevice(const tarn::CString&, int, int, int, bool) override {}
    void AddModel(int vid, int pid, const tarn::CString& product, int type, int mode, const tarn::CString& pattern) override
    {
        m_device->AddModel(vid, pid, product, type, mode, pattern);
    }
    void SetVersionText(const tarn::CString&) override {}
    void SetCopyrightText(const tarn::CString&) override {}

private:
    KeyboardDevice*& m_device;
};

} // namespace

Session::Session() = default;
Session::~Session() = default;

bool Session::Open(const CommandLine& cmd, std::FILE* err)
{
    if (cmd.emulate) {
        auto clock = std::make_unique<VirtualClock>();
        auto bus = std::make_unique<EmulatedHidBus>(*clock);
        m_emulated = bus.get();
        m_clock = std::move(clock);
        m_transport = std::move(bus);
    } else {
        m_systemClock = MakeSystemClock();
        auto pauses = std::make_unique<RequestedPauses>(*m_systemClock);
        m_hidapi = MakeRealTransport();
        auto recorder = std::make_unique<RecordingTransport>(
            *m_hidapi, *pauses, [this](uint16_t vid, uint16_t pid) { return FirstModeOf(vid, pid); });
        m_recorder = recorder.get();
        m_clock = std::move(pauses);
        m_transport = std::move(recorder);
    }
    m_device = std::make_unique<KeyboardDevice>(*m_transport, *m_clock);
    KeyboardDevice* device = m_device.get();
    ModelSink sink(device);
    m_catalogue.Read(cmd.programDir, sink);
    if (!cmd.emulate)
        return true;
    EmulatorLinks emulated;
    std::string error;
    if (!EmulatorLinks::Parse(*cmd.emulate, emulated, error) || !emulated.AddTo(*m_emulated, m_catalogue, error)) {
        std::fprintf(err, "corvanectl: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool Session::OpenStore(const CommandLine& cmd, std::FILE* err)
{
    std::filesystem::path folder;
    if (cmd.dataDir) {
        folder = *cmd.dataDir;
    } else {
        const tarn::CString name = Catalogue::ReadDeviceName(cmd.programDir).value_or(tarn::DefaultDeviceName);
        folder = DataFolder::ForDevice(XdgFolders::DataHome(), name);
    }
    if (!DataFolder::CreateLevels(folder / "db")) {
        std::fprintf(err, "corvanectl: cannot create the data folder %s\n", (folder / "db").c_str());
        return false;
    }
    m_store = std::make_unique<ConfigStore>();
    m_store->SetDataFolder(folder);
    return true;
}

int Session::FirstModeOf(uint16_t vid, uint16_t pid) const
{
    for (const DeviceRecord& m : m_catalogue.DeviceModes()) {
        if (m.vid == vid && m.pid == pid)
            return m.mode;
    }
    return -1;
}

void Session::PrintTranscript(std::FILE* out) const
{
    const std::vector<Transcript::Entry> entries =
        m_emulated ? m_emulated->GetTranscript().Entries()
                   : (m_recorder ? m_recorder->GetTranscript().Entries() : std::vector<Transcript::Entry>{});
    for (const Transcript::Entry& e : entries)
        std::fprintf(out, "%s\n", Transcript::Format(e).c_str());
}

void Session::PrintAfterCommand(const CommandLine& cmd, std::FILE* out) const
{
    if (cmd.transcript)
        PrintTranscript(out);
    PrintEmulatorState(out);
}

void Session::PrintEmulatorState(std::FILE* out) const
{
    if (!m_emulated)
        return;
    for (const auto& keyboard : m_emulated->Keyboards()) {
        for (const std::string& line : keyboard->StateLines())
            std::fprintf(out, "state %s\n", line.c_str());
    }
}

} // namespace corvane::ctl
