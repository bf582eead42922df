#include "app/FactoryReset.h"

#include "app/AutostartSwitch.h"
#include "app/Language.h"
#include "app/LayoutLoader.h"
#include "app/ResetStore.h"
#include "app/ResetUi.h"
#include "app/VirtualHidTable.h"
#include "app/WaitTaskQueue.h"
#include "platform/SettingsFile.h"

namespace corvane {

void FactoryReset::Run(const std::vector<DeviceRecord>& models)
{
    // The next close asks for the close behaviour again.
    m_parts.settings.WriteSetting(L"exit_mode", L"0");

    const int lcid = m_parts.language.ResetToFirstStart();
    m_parts.ui.SelectLanguage(lcid);
    m_parts.ui.SelectFirstColourSet();
    m_parts.ui.ApplyAllTexts();

    m_parts.ui.SetAutostartCheck(false);
    m_parts.autostart.TurnOff();

    if (models.empty())
        return;
    const DeviceRecord& model = models.front();
    if (m_parts.store.IsOpen())
        m_parts.store.Close();
    m_parts.store.DeleteDatabaseFile(model.name);
    m_parts.store.OpenForDevice(model.name);
    m_parts.layouts.LoadLayout(model.device_type);
    m_parts.vhid.RefreshKeyTable();

    m_parts.tasks.QueueTaskWithWait(ResetTask);
}

} // namespace corvane
