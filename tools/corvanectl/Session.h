#pragma once

#include "catalogue/Catalogue.h"
#include "tools/corvanectl/CommandLine.h"

#include <cstdio>
#include <memory>

namespace corvane {
class Clock;
class EmulatedHidBus;
class HidTransport;
class ConfigStore;
class KeyboardDevice;
} // namespace corvane

namespace corvane::ctl {

class RecordingTransport;
class RequestedPauses;

// What every device command stands on: the catalogue, a clock, the HID bus (the real one or the
// emulator of --emulate) and the device link that knows the catalogue's modes.
class Session {
public:
    Session();
    ~Session();

    // False with a one-line message on `err` when the --emulate text is unusable.
    bool Open(const CommandLine& cmd, std::FILE* err);

    // The model databases' folder: --data-dir, else "<XDG data home>/<device name> Files/", with
    // its db folder created as the program does at start.
    bool OpenStore(const CommandLine& cmd, std::FILE* err);
    ConfigStore& Store() { return *m_store; }

    Catalogue& GetCatalogue() { return m_catalogue; }
    KeyboardDevice& Device() { return *m_device; }
    Clock& GetClock() { return *m_clock; }
    EmulatedHidBus* Emulated() { return m_emulated; }

    // Every report so far, of the emulator or of the real bus; with --emulate, the keyboard's
    // decoded state.
    void PrintTranscript(std::FILE* out) const;
    void PrintEmulatorState(std::FILE* out) const;
    // The transcript (with --transcript) and then the emulator's state (with --emulate).
    void PrintAfterCommand(const CommandLine& cmd, std::FILE* out) const;

private:
    int FirstModeOf(uint16_t vid, uint16_t pid) const;

    Catalogue m_catalogue;
    std::unique_ptr<Clock> m_systemClock;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<HidTransport> m_hidapi;
    std::unique_ptr<HidTransport> m_transport;
    EmulatedHidBus* m_emulated = nullptr;
    RecordingTransport* m_recorder = nullptr;
    std::unique_ptr<KeyboardDevice> m_device;
    std::unique_ptr<ConfigStore> m_store;
};

} // namespace corvane::ctl
