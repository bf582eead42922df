#pragma once

#include "catalogue/DeviceRecord.h"

#include <vector>

namespace corvane {

class AutostartSwitch;
class Language;
class LayoutLoader;
class ResetStore;
class ResetUi;
class SettingsFile;
class VirtualHidTable;
class WaitTaskQueue;

// Everything a factory reset does after the user has said yes: program settings, language and
// autostart back to their first-start state, then the first model's database recreated, its
// layout loaded and the keyboard itself reset (task 10).
class FactoryReset {
public:
    static constexpr int ResetTask = 10;

    struct Parts {
        const SettingsFile& settings;
        Language& language;
        ResetUi& ui;
        AutostartSwitch& autostart;
        ResetStore& store;
        LayoutLoader& layouts;
        VirtualHidTable& vhid;
        WaitTaskQueue& tasks;
    };

    explicit FactoryReset(Parts parts) : m_parts(parts) {}

    // With no keyboard model there is no database to recreate: it ends after the autostart.
    void Run(const std::vector<DeviceRecord>& models);

private:
    Parts m_parts;
};

} // namespace corvane
