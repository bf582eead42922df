#pragma once

#include "device/LightCommands.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace corvane {

class Clock;
class KeyboardDevice;
struct LayoutState;

// One key's colour as the per-key set or a keyboard view holds it (0x00BBGGRR).
struct KeyColour {
    int key_code = 0;
    uint32_t colour = 0;
};

// The keyboard view a live frame is painted into.
class LiveFrameView {
public:
    virtual ~LiveFrameView() = default;
    virtual void SetKeyColor(int key_code, uint32_t colour) = 0;
    virtual void Repaint() = 0;
    virtual std::vector<KeyColour> GetKeyItems() = 0;
};

// Where the music image is sampled for each matrix cell: x for column j, y for row i.
struct MusicImagePositions {
    std::array<int, 32> column{};
    std::array<int, 8> row{};
};
MusicImagePositions MusicImagePositionsFor(int rows, int cols);

constexpr size_t ColourTableEntries = 150;
constexpr size_t LiveFrameEntries = 200;

// The 600-byte colour table (red, green, blue, FF per key index) and its eight packets.
std::array<uint8_t, 600> ColourTable(const std::vector<KeyColour>& set, const std::map<int32_t, int32_t>& key_index);
std::array<Report, 8> ColourPackets(const std::array<uint8_t, 600>& table);
// The 600-byte live frame (red, green, blue per key index) and its six packets.
std::array<uint8_t, 600> LiveFrame(const std::vector<KeyColour>& keys, const std::map<int32_t, int32_t>& key_index);
std::array<Report, 6> LiveFramePackets(const std::array<uint8_t, 600>& frame);
Report EnableLiveFramesReport();

// Task 8 and the live frames of the music and screen effects on family A keyboards.
class ColourTransfer {
public:
    // The effect's colour for matrix row i, column j.
    using EffectColour = std::function<uint32_t(int row, int col)>;

    ColourTransfer(KeyboardDevice& device, Clock& clock);

    // Family A form whatever the keyboard; stops at the first failed packet. False then.
    bool UploadKeyColours(const std::vector<KeyColour>& set, const std::map<int32_t, int32_t>& key_index);
    // Paints the effect into the view and, on the cable when any colour is 2 or more, sends it.
    // Answers whether a frame went out.
    bool StreamLiveFrame(const LayoutState& layout, const EffectColour& effect, LiveFrameView& view, int connection_mode);
    bool LiveFramesEnabled() const { return m_liveEnabled; }

private:
    KeyboardDevice& m_device;
    Clock& m_clock;
    std::atomic<bool> m_liveEnabled = false; // once per run, before the first frame
};

} // namespace corvane
