#include "device/ColourTransfer.h"

#include "catalogue/LayoutState.h"
#include "device/KeyboardDevice.h"
#include "platform/Clock.h"

#include <algorithm>

namespace corvane {

using namespace std::chrono_literals;

namespace {

uint8_t Byte(uint32_t v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

// The index of a key in a table of `entries`, or -1 when it has no place there.
int IndexIn(const std::map<int32_t, int32_t>& key_index, int key_code, size_t entries)
{
    const auto it = key_index.find(key_code);
    if (it == key_index.end() || it->second < 0 || static_cast<size_t>(it->second) >= entries)
        return -1;
    return it->second;
}

template <size_t Count>
std::array<Report, Count> Packets(uint8_t command, const std::array<uint8_t, 600>& data, int last_length)
{
    std::array<Report, Count> out{};
    for (size_t k = 0; k < Count; ++k) {
        const int offset = static_cast<int>(60 * k);
        out[k] = Report{0x00, command, Byte(static_cast<uint32_t>(k == Count - 1 ? last_length : 60)),
                        Byte(static_cast<uint32_t>(offset)), Byte(static_cast<uint32_t>(offset) >> 8)};
        std::copy_n(data.begin() + offset, 60, out[k].begin() + 5);
    }
    return out;
}

} // namespace

MusicImagePositions MusicImagePositionsFor(int rows, int cols)
{
    MusicImagePositions p;
    if (cols > 0) {
        for (size_t j = 0; j < p.column.size(); ++j)
            p.column[j] = (255 / cols) * static_cast<int>(j);
    }
    if (rows > 0) {
        const int step = 62 / rows;
        for (size_t i = 0; i < p.row.size(); ++i)
            p.row[i] = static_cast<int>(step * static_cast<int>(i) + 2 + step * 0.5);
    }
    return p;
}

std::array<uint8_t, 600> ColourTable(const std::vector<KeyColour>& set, const std::map<int32_t, int32_t>& key_index)
{
    std::array<uint8_t, 600> table{};
    for (const KeyColour& key : set) {
        const int a = IndexIn(key_index, key.key_code, ColourTableEntries);
        if (a < 0)
            continue;
        const auto at = static_cast<size_t>(4 * a);
        table[at] = Byte(key.colour);
        table[at + 1] = Byte(key.colour >> 8);
        table[at + 2] = Byte(key.colour >> 16);
        table[at + 3] = 0xFF;
    }
    return table;
}

std::array<Report, 8> ColourPackets(const std::array<uint8_t, 600>& table)
{
    return Packets<8>(0x8B, table, 20);
}

std::array<uint8_t, 600> LiveFrame(const std::vector<KeyColour>& keys, const std::map<int32_t, int32_t>& key_index)
{
    std::array<uint8_t, 600> frame{};
    for (const KeyColour& key : keys) {
        const int a = IndexIn(key_index, key.key_code, LiveFrameEntries);
        if (a < 0)
            continue;
        const auto at = static_cast<size_t>(3 * a);
        frame[at] = Byte(key.colour);
        frame[at + 1] = Byte(key.colour >> 8);
        frame[at + 2] = Byte(key.colour >> 16);
    }
    return frame;
}

std::array<Report, 6> LiveFramePackets(const std::array<uint8_t, 600>& frame)
{
    return Packets<6>(0xF1, frame, 30);
}

Report EnableLiveFramesReport()
{
    return Report{0x00, 0xF0, 0xF4, 0x01};
}

ColourTransfer::ColourTransfer(KeyboardDevice& device, Clock& clock) : m_device(device), m_clock(clock)
{
}

bool ColourTransfer::UploadKeyColours(const std::vector<KeyColour>& set, const std::map<int32_t, int32_t>& key_index)
{
    for (const Report& packet : ColourPackets(ColourTable(set, key_index))) {
        m_clock.Sleep(1ms);
        if (!m_device.WriteReport(packet))
            return false;
    }
    return true;
}

bool ColourTransfer::StreamLiveFrame(const LayoutState& layout, const EffectColour& effect, LiveFrameView& view,
                                     int connection_mode)
{
    bool visible = false;
    const int rows = std::clamp(layout.row_count, 0, LayoutState::MatrixRows);
    const int cols = std::clamp(layout.col_count, 0, LayoutState::MatrixCols);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            const uint8_t code = layout.matrix[static_cast<size_t>(i)][static_cast<size_t>(j)];
            if (code == LayoutState::NoKey)
                continue;
            const uint32_t colour = effect(i, j);
            view.SetKeyColor(code, colour);
            visible = visible || colour >= 2;
        }
    }
    view.Repaint();
    if (!visible || connection_mode != 0)
        return false;
    const auto packets = LiveFramePackets(LiveFrame(view.GetKeyItems(), layout.lighting_index));
    if (!m_liveEnabled.exchange(true))
        m_device.WriteReport(EnableLiveFramesReport());
    for (const Report& packet : packets) {
        m_clock.Sleep(1ms);
        if (!m_device.WriteLiveReport(packet))
            return false;
    }
    return true;
}

} // namespace corvane
