#include "tools/corvanectl/DeviceRun.h"

#include "app/StoreLayoutSwitch.h"
#include "catalogue/Layout.h"
#include "device/ConnectionState.h"
#include "device/KeyboardDevice.h"
#include "keys/KeyCodes.h"
#include "platform/XdgFolders.h"
#include "store/ConfigStore.h"
#include "tarnui/platform/Defaults.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/LanguageTexts.h"

namespace corvane::ctl {

DeviceRun::DeviceRun(const CommandLine& cmd) : m_cmd(cmd)
{
}

DeviceRun::~DeviceRun() = default;

int DeviceRun::Open(std::FILE* err)
{
    if (!m_session.Open(m_cmd, err))
        return ExitUsage;
    const DeviceRecord* model = m_session.GetCatalogue().FindModel(m_cmd.deviceType);
    if (!model) {
        std::fprintf(err, "corvanectl: no keyboard model of device type %d in %s\n", m_cmd.deviceType,
                     (m_cmd.programDir / Catalogue::FileName).c_str());
        return ExitUsage;
    }
    if (!m_session.OpenStore(m_cmd, err))
        return ExitFailure;

    m_storeSwitch = std::make_unique<StoreLayoutSwitch>(Store());
    m_layout = std::make_unique<Layout>(m_session.GetCatalogue(), m_cmd.programDir, *m_storeSwitch, m_views,
                                        Layout::Views{});
    const bool read = m_layout->LoadLayout(m_cmd.deviceType);
    if (!Store().IsOpened()) {
        std::fprintf(err, "corvanectl: cannot open the database %s\n",
                     ConfigStore::DatabasePath(Store().DataFolder(), model->name).c_str());
        return ExitFailure;
    }
    if (!read) {
        std::fprintf(err, "corvanectl: cannot read the layout %s\n",
                     (m_cmd.programDir / "layouts" / (model->device_info.ToUtf8() + ".xml")).c_str());
        return ExitFailure;
    }

    m_connection = std::make_unique<ConnectionState>(m_session.Device(), m_session.GetCatalogue().DeviceModes(),
                                                     m_views, m_views, m_views, m_cmd.deviceType);
    m_tasks = std::make_unique<DeviceTasks>(m_session.Device(), m_session.GetClock(), Store(), *m_layout, *this,
                                            m_views, *this, &KeyCodeFromVirtualKey);
    return 0;
}

void DeviceRun::Rescan()
{
    m_connection->RescanAndSetUp();
}

int DeviceRun::RequireKeyboard(std::FILE* err)
{
    KeyboardDevice& device = m_session.Device();
    if (m_connection->Present() && m_connection->Connected() && device.ChooseInterface())
        return 0;
    std::fprintf(err, "corvanectl: no keyboard of device type %d found\n", m_cmd.deviceType);
    return ExitFailure;
}

int DeviceRun::OpenConnected(std::FILE* err)
{
    if (const int status = Open(err))
        return status;
    Rescan();
    return RequireKeyboard(err);
}

LayoutState DeviceRun::LayoutSnapshot() const
{
    return m_layout->Snapshot();
}

TextLookup& DeviceRun::Texts()
{
    if (!m_texts) {
        const tarn::CString name = Catalogue::ReadDeviceName(m_cmd.programDir).value_or(tarn::DefaultDeviceName);
        m_texts = std::make_unique<LanguageTexts>(m_cmd.programDir, XdgFolders::ConfigHome(), name);
    }
    return *m_texts;
}

int DeviceRun::ConnectionMode()
{
    return m_connection && m_connection->Present() ? m_connection->ConnectionMode() : -1;
}

tarn::CString DeviceRun::ServerFirmwareVersion()
{
    // No update server is asked here; any version text the check accepts lets the keyboard be read.
    return L"0";
}

} // namespace corvane::ctl
