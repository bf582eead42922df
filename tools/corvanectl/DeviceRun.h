#pragma once

#include "app/DeviceTasks.h"
#include "tools/corvanectl/CommandLine.h"
#include "tools/corvanectl/Session.h"
#include "tools/corvanectl/SilentViews.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace corvane {
class ConnectionState;
class Layout;
class StoreLayoutSwitch;
class TextLookup;
struct LayoutState;
} // namespace corvane

namespace corvane::ctl {

class LanguageTexts;

// What every keyboard command does before its own part, the way the program gets there: the
// catalogue and the bus, the layout of --device-type with its database, a rescan with that type
// taking the commands, and the device tasks over all of it. Also the main window's state the
// tasks read, which the command sets.
class DeviceRun : public DeviceTaskState, public FirmwareVersionSink {
public:
    explicit DeviceRun(const CommandLine& cmd);
    ~DeviceRun() override;

    // Answers 0, or the exit status after a one-line message on `err`.
    int Open(std::FILE* err);
    void Rescan();
    // 0 when a keyboard of the type is there to take commands; else 1 after the message.
    int RequireKeyboard(std::FILE* err);
    // Open, Rescan and RequireKeyboard, for commands that need nothing checked in between.
    int OpenConnected(std::FILE* err);

    ConfigStore& Store() { return m_session.Store(); }
    LayoutState LayoutSnapshot() const;
    DeviceTasks& Tasks() { return *m_tasks; }
    TextLookup& Texts();
    // The reports sent and the emulator's state, as the global options ask.
    void Finish(std::FILE* out) const { m_session.PrintAfterCommand(m_cmd, out); }

    void SetProfile(int profile) { m_profile = profile; }
    void SetLightMode(int mode) { m_lightMode = mode; }
    std::optional<int> FirmwareNumber() const { return m_firmware; }

    int ConnectionMode() override;
    int CurrentProfile() override { return m_profile; }
    int CurrentFnLayer() override { return 0; }
    int CurrentLightMode() override { return m_lightMode; }
    int ColourSlot() override { return 0; }
    tarn::CString ServerFirmwareVersion() override;
    void OnKeyboardFirmwareVersion(int number) override { m_firmware = number; }

private:
    const CommandLine& m_cmd;
    Session m_session;
    SilentViews m_views;
    std::unique_ptr<StoreLayoutSwitch> m_storeSwitch;
    std::unique_ptr<Layout> m_layout;
    std::unique_ptr<ConnectionState> m_connection;
    std::unique_ptr<DeviceTasks> m_tasks;
    std::unique_ptr<LanguageTexts> m_texts;
    int m_profile = 0;
    int m_lightMode = 0;
    std::optional<int> m_firmware;
};

} // namespace corvane::ctl
