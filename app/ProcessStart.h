#pragma once

#include "app/Language.h"
#include "app/MainWindowHost.h"
#include "platform/SettingsFile.h"
#include "platform/SingleInstanceLock.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace corvane {

// The process from its entry point to the main window: device name, single instance,
// language, data folder. The instance lock lives as long as this object.
class ProcessStart {
public:
    struct Environment {
        std::filesystem::path programDir;
        std::filesystem::path configHome;
        std::filesystem::path dataHome;
        std::filesystem::path runtimeDir;
        std::function<int()> uiLanguage;

        // The running program's folder, the user's folders and locale.
        static Environment FromSystem();
    };

    explicit ProcessStart(Environment environment);

    // 0 when another instance of this device name runs, 1 after the main window has ended.
    int Run(MainWindowHost& host);

    const tarn::CString& DeviceName() const { return m_context.deviceName; }
    const ProcessContext& Context() const { return m_context; }

private:
    Environment m_environment;
    SingleInstanceLock m_lock;
    std::unique_ptr<SettingsFile> m_settings;
    std::unique_ptr<Language> m_language;
    ProcessContext m_context;
};

} // namespace corvane
