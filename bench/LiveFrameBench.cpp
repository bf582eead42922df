// One live lighting frame of the music or screen effect on a family A keyboard: compose the
// colours from the key matrix, paint them into the view, build the six reports and hand them to
// the device link, against the emulator with recording off. The reference kernel does the same
// byte work straight into a buffer. At the worker's 16 ms rhythm the frame must stay far below
// 2 % of one core (320 us); the ratio shows what the layering costs.
//
// Run: build/<preset>/bench/live_frame_bench   (extra Google Benchmark flags are passed through)
#include "bench/RatioMain.h"
#include "catalogue/LayoutState.h"
#include "device/ColourTransfer.h"
#include "device/KeyboardDevice.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/VirtualClock.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>

using namespace corvane;

namespace {

// A full-size board: 6 rows of 21 columns, 104 keys with indexes 0..103.
LayoutState Board()
{
    LayoutState s;
    s.row_count = 6;
    s.col_count = 21;
    int index = 0;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 21 && index < 104; ++j, ++index) {
            const int code = 4 + index;
            s.matrix[static_cast<size_t>(i)][static_cast<size_t>(j)] = static_cast<uint8_t>(code);
            s.lighting_index[code] = index;
        }
    }
    return s;
}

uint32_t Effect(int row, int col)
{
    return static_cast<uint32_t>((row * 40) | (col * 12) << 8 | 0x80 << 16);
}

// A keyboard view that keeps its keys' colours in key order, as the real view's list does.
class View : public LiveFrameView {
public:
    std::map<int, uint32_t> colours;
    void SetKeyColor(int code, uint32_t colour) override { colours[code] = colour; }
    void Repaint() override {}
    std::vector<KeyColour> GetKeyItems() override
    {
        std::vector<KeyColour> out;
        out.reserve(colours.size());
        for (const auto& [code, colour] : colours)
            out.push_back({code, colour});
        return out;
    }
};

void StreamLiveFrame(benchmark::State& state)
{
    VirtualClock clock;
    EmulatedHidBus bus(clock);
    bus.SetRecording(false);
    bus.AddKeyboard(100, {{0, 0x3A71, 0x0100, L"", true}});
    KeyboardDevice device(bus, clock);
    device.AddModel(0x3A71, 0x0100, L"", 100, 0, L"");
    device.OpenAll();
    device.SetOpened(true);
    device.SelectDeviceType(100);
    ColourTransfer transfer(device, clock);
    const LayoutState layout = Board();
    View view;
    for (auto _ : state) {
        if (!transfer.StreamLiveFrame(layout, Effect, view, 0)) {
            state.SkipWithError("frame not sent");
            break;
        }
    }
}

void ReferenceLiveFrame(benchmark::State& state)
{
    const LayoutState layout = Board();
    std::array<uint8_t, 600> frame{};
    std::array<std::array<uint8_t, 65>, 6> sink{};
    for (auto _ : state) {
        frame.fill(0);
        for (int i = 0; i < layout.row_count; ++i) {
            for (int j = 0; j < layout.col_count; ++j) {
                const uint8_t code = layout.matrix[static_cast<size_t>(i)][static_cast<size_t>(j)];
                if (code == LayoutState::NoKey)
                    continue;
                const uint32_t c = Effect(i, j);
                const auto at = static_cast<size_t>(3 * layout.lighting_index.at(code));
                frame[at] = static_cast<uint8_t>(c);
                frame[at + 1] = static_cast<uint8_t>(c >> 8);
                frame[at + 2] = static_cast<uint8_t>(c >> 16);
            }
        }
        for (size_t k = 0; k < 6; ++k) {
            sink[k][1] = 0xF1;
            sink[k][2] = k == 5 ? 30 : 60;
            sink[k][3] = static_cast<uint8_t>(60 * k);
            std::memcpy(sink[k].data() + 5, frame.data() + 60 * k, 60);
        }
        benchmark::DoNotOptimize(sink);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(StreamLiveFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReferenceLiveFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The layers (view, device lock, emulator decode) may cost a few times the bare byte work;
    // what matters is that both stay tiny against the 16 ms frame.
    return corvane::bench::RunWithRatios(argc, argv, {{"live frame", "StreamLiveFrame", "ReferenceLiveFrame", 20.0}});
}
