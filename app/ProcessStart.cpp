#include "app/ProcessStart.h"

#include "catalogue/Catalogue.h"
#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/UiLanguage.h"
#include "platform/XdgFolders.h"
#include "tarnui/platform/Defaults.h"

namespace corvane {

ProcessStart::Environment ProcessStart::Environment::FromSystem()
{
    return {ProgramFolder(), XdgFolders::ConfigHome(), XdgFolders::DataHome(), XdgFolders::RuntimeDir(),
            &UiLanguage::FromEnvironment};
}

ProcessStart::ProcessStart(Environment environment) : m_environment(std::move(environment))
{
}

int ProcessStart::Run(MainWindowHost& host)
{
    m_context.programDir = m_environment.programDir;
    m_context.deviceName = Catalogue::ReadDeviceName(m_environment.programDir).value_or(tarn::DefaultDeviceName);

    // A lock we cannot take at all does not keep the program from running.
    if (m_lock.Acquire(m_context.deviceName, m_environment.runtimeDir) == SingleInstanceLock::Result::AlreadyRunning) {
        host.ActivateFirstInstance(m_context.deviceName);
        return 0;
    }

    m_settings = std::make_unique<SettingsFile>(m_environment.configHome, m_context.deviceName);
    m_language = std::make_unique<Language>(m_environment.programDir, *m_settings, m_environment.uiLanguage);
    m_language->ChooseAtStart();
    m_context.language = m_language.get();

    // Without it the database cannot open and the program runs without stored settings.
    m_context.dataFolder = DataFolder::ForDevice(m_environment.dataHome, m_context.deviceName);
    DataFolder::CreateLevels(m_context.dataFolder / "db");

    host.RunMainWindow(m_context);
    return 1;
}

} // namespace corvane
