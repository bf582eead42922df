#pragma once

#include "tarnui/platform/CString.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

class Clock;
class HidDevice;
class HidTransport;

// The only path to the keyboard: the catalogue's USB identities, the opened vendor interfaces,
// the interface commands go to, and the send and read primitives with their protocol pauses.
// One recursive mutex covers every operation; a rescan holds it across its steps (Hold()).
class KeyboardDevice {
public:
    struct Model {
        int vid = 0;
        int pid = 0;
        tarn::CString product_name;
        int device_type = 0;
        int mode = 0;
        tarn::CString hid_interface;
    };
    struct Interface {
        uint16_t vid = 0;
        uint16_t pid = 0;
        tarn::CString product_string;
        int device_type = 0;
        int mode = 0;
        // What the enumeration said, kept for diagnostics.
        uint16_t usage_page = 0;
        uint16_t usage = 0;
        int interface_number = -1;
        tarn::CString interface_path;
    };

    static constexpr uint8_t FeatureReportId = 7;
    static constexpr size_t FeatureSize = 8;
    static constexpr size_t ReportSize = 65;
    static constexpr size_t PayloadSize = 64;
    static constexpr size_t FeatureBlockSize = 28;

    KeyboardDevice(HidTransport& transport, Clock& clock);
    ~KeyboardDevice();
    KeyboardDevice(const KeyboardDevice&) = delete;
    KeyboardDevice& operator=(const KeyboardDevice&) = delete;

    // Keeps the lock across a multi-step sequence such as a rescan.
    std::unique_lock<std::recursive_mutex> Hold() { return std::unique_lock(m_lock); }

    void AddModel(int vid, int pid, const tarn::CString& product_name, int device_type, int mode,
                  const tarn::CString& hid_interface);
    const std::vector<Model>& Models() const { return m_models; }

    void CloseAll();
    void OpenAll();
    void SetOpened(bool opened);
    bool IsOpened() const;
    void SelectDeviceType(int device_type);
    bool ListInterfaces(std::vector<Interface>& out);
    // The interface commands go to: cable first, then wireless 1, then 2; null when none.
    const Interface* ChooseInterface();
    int GetConnectionMode();
    int FindInterface(int vid, int pid, const tarn::CString& product_name, int mode);
    bool HasLiveInterface() const;
    // What the enumeration said of the live-frame interface; nothing when there is none.
    std::optional<Interface> LiveInterface() const;

    // The primitives. Without opened interfaces or a target they fail and send nothing.
    bool SendFeature(std::span<const uint8_t, FeatureSize> report);
    bool SendFeatureNow(std::span<const uint8_t, FeatureSize> report);
    bool WriteReport(std::span<const uint8_t, ReportSize> report);
    bool WriteLiveReport(std::span<const uint8_t, ReportSize> report);
    bool WritePayload(std::span<const uint8_t, PayloadSize> payload);
    bool ReadFeatureBlock(std::span<uint8_t> buffer);
    // False, with `value` untouched, when the request failed or no read returned data.
    bool ReadVersionWord(int& value);

private:
    struct Record {
        Interface info;
        std::unique_ptr<HidDevice> device;
    };
    HidDevice* Chosen();
    // Writes once, and once more after `retryPause` ms when nothing was written.
    static bool WriteWithRetry(HidDevice& device, std::span<const uint8_t> bytes, Clock& clock, int retryPause);

    HidTransport& m_transport;
    Clock& m_clock;
    mutable std::recursive_mutex m_lock;
    bool m_opened = false;
    std::vector<Record> m_interfaces;
    std::vector<Model> m_models;
    int m_selectedType = 0;
    int m_chosen = -1; // index into m_interfaces
    std::unique_ptr<HidDevice> m_live;
    Interface m_liveInfo;
};

} // namespace corvane
