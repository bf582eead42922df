#pragma once

#include "tarnui/platform/CString.h"

#include <array>
#include <map>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Stands in the keyboard's place: answers the reports it is sent the way the product's firmware
// does, keeps what they set as readable state, and can be told to misbehave.
class EmulatedKeyboard {
public:
    // One connection variant: the cable (0) or a wireless link (1, 2).
    struct Link {
        int mode = 0;
        uint16_t vid = 0;
        uint16_t pid = 0;
        tarn::CString product;
        bool plugged = true;
    };
    struct Faults {
        bool open_fails = false;
        int write_failures = 0;        // the next n writes fail
        bool reads_unanswered = false; // every feature read answers nothing
        bool first_version_byte_wrong = false;
    };

    EmulatedKeyboard(int device_type, std::vector<Link> links);

    int DeviceType() const { return m_deviceType; }
    std::vector<Link> Links() const;
    bool IsPlugged(int mode) const;
    void SetPlugged(int mode, bool plugged);
    void SetFaults(const Faults& faults);
    void SetFirmwareVersion(uint16_t word);
    void SetSlotTable(const std::array<uint8_t, 28>& table);

    // The reports, as the bus hands them over. Results follow the transport: bytes moved or -1.
    int OnWrite(int mode, bool live, std::span<const uint8_t> report);
    // Feature reports on the live-frame interface are protocol errors.
    int OnFeatureSet(int mode, bool live, std::span<const uint8_t> report);
    int OnFeatureGet(int mode, bool live, std::span<uint8_t> buffer);
    bool OpenFails() const;

    // What the light, reset and music commands left in the keyboard.
    struct LightState {
        int mode = -1;          // as the keyboard numbers it: family A the row's mode, B one less
        int brightness = -1;
        int speed = -1;         // family B: colour index and speed in one byte
        int effect = -1;        // family A effect byte: direction, multicolour, speed
        uint32_t colour = 0;    // family A 0x00BBGGRR
        int slot = -1;
        int direction = -1;
        int resets = 0;
        bool reset_pending = false; // wireless: first half of the reset seen
        int music_effect = -1;
        int music_level = -1;
        bool live_enabled = false;
        int protocol_errors = 0;
    };
    LightState Light() const;

    // What the key-table, macro and colour transfers left in the keyboard.
    struct Tables {
        std::map<int, std::vector<uint8_t>> macros_a;   // slot -> transfer bytes, by offset and length
        std::array<uint8_t, 220> key_table_a{};         // the part of the key table the keyboard keeps
        std::array<uint8_t, 440> colours_a{};           // likewise of the colour table
        std::array<uint8_t, 330> live_frame{};          // and of the last live frame
        int live_frames = 0;
        std::map<int, std::array<uint8_t, 168>> macro_slots_b; // slot -> M as transferred
        std::map<int, std::pair<int, int>> remap_slots_b;      // slot -> (key, value)
    };
    Tables GetTables() const;

    // "key value" pairs of the decoded state, for diagnostics.
    std::vector<std::string> StateLines() const;

private:
    enum class Armed { Nothing, Version, SlotTable };
    void DecodeFamilyA(bool live, std::span<const uint8_t> report);
    void DecodePayload(std::span<const uint8_t> payload);
    void DecodeFeature(std::span<const uint8_t> report);
    void DecodeTransfer(std::span<const uint8_t> report);
    void FinishMacroSlot();

    const int m_deviceType;
    mutable std::mutex m_lock;
    std::vector<Link> m_links;
    Faults m_faults;
    uint16_t m_version = 0x0100;
    std::array<uint8_t, 28> m_slots{};
    Armed m_armed = Armed::Nothing;
    int m_slotRead = 0;
    bool m_versionAnswered = false;
    int m_writes = 0;
    int m_liveWrites = 0;
    int m_featureSets = 0;
    LightState m_light;
    Tables m_tables;
    std::vector<uint8_t> m_slotStream; // the macro-slot reports seen since its F1 report
};

} // namespace corvane
