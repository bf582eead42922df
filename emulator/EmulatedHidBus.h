#pragma once

#include "emulator/EmulatedKeyboard.h"
#include "emulator/Transcript.h"
#include "platform/HidTransport.h"

#include <memory>
#include <mutex>
#include <vector>

namespace corvane {

class Clock;

// A HID bus with emulated keyboards on it, listed the way hidapi lists them on Linux: the cable
// as a keyboard node, a command node (interface 1) and a live-frame node (interface 3); the
// receiver link as a keyboard node and a command node; the Bluetooth link as one node whose
// keyboard and vendor collections share a path. Every report is kept in the transcript with the
// time the caller paused before it.
class EmulatedHidBus : public HidTransport {
public:
    explicit EmulatedHidBus(Clock& clock);

    EmulatedKeyboard& AddKeyboard(int device_type, std::vector<EmulatedKeyboard::Link> links);
    const std::vector<std::unique_ptr<EmulatedKeyboard>>& Keyboards() const { return m_keyboards; }
    Transcript& GetTranscript() { return m_transcript; }
    // Off, reports are still answered and decoded but not kept: the bus as a cheap sink.
    void SetRecording(bool on);
    // Devices that appear in the enumeration but refuse to open, e.g. another vendor's mouse.
    void AddForeignDevice(const HidDeviceInfo& info);

    bool Init() override { return true; }
    std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    // Called by the emulated devices.
    void Record(const std::string& interface, Transcript::Op op, std::span<const uint8_t> bytes, bool answered);
    int OpenCount() const;

private:
    struct Node {
        std::string path;
        EmulatedKeyboard* keyboard = nullptr;
        int mode = 0;
        int interface_number = -1;
        bool live = false;
        bool vendor = false;
    };
    std::vector<Node> NodesOf(EmulatedKeyboard& keyboard, const EmulatedKeyboard::Link& link) const;

    Clock& m_clock;
    mutable std::mutex m_lock;
    std::vector<std::unique_ptr<EmulatedKeyboard>> m_keyboards;
    std::vector<HidDeviceInfo> m_foreign;
    Transcript m_transcript;
    bool m_recording = true;
    int m_opens = 0;
};

} // namespace corvane
