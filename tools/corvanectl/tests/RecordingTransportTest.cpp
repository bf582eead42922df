// The real bus's transcript is kept by a recorder around the transport. Around the emulator it
// must write what the emulator itself writes, line for line.
#include "device/KeyboardDevice.h"
#include "device/LightOperations.h"
#include "emulator/EmulatedHidBus.h"
#include "emulator/VirtualClock.h"
#include "tools/corvanectl/RecordingTransport.h"
#include "tools/corvanectl/RequestedPauses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;

namespace {

std::vector<std::string> Lines(const Transcript& transcript)
{
    std::vector<std::string> lines;
    for (const Transcript::Entry& e : transcript.Entries())
        lines.push_back(Transcript::Format(e));
    return lines;
}

TEST(CorvanectlRecorder, WritesTheEmulatorsTranscript)
{
    struct Case {
        int device_type;
        std::vector<EmulatedKeyboard::Link> links;
        bool unanswered;
    };
    const Case cases[] = {
        {201, {{0, 0x3A71, 0x0201, L"Corvane K201", true}, {2, 0x3A71, 0x0203, L"Corvane K201 BT", true}}, false},
        {201, {{1, 0x3A71, 0x0202, L"Corvane K201 Receiver", true}}, true},
        {100, {{0, 0x3A71, 0x0100, L"Corvane K100", true}}, false},
    };
    for (const Case& c : cases) {
        VirtualClock virtualClock;
        EmulatedHidBus bus(virtualClock);
        EmulatedKeyboard& keyboard = bus.AddKeyboard(c.device_type, c.links);
        keyboard.SetFaults({false, 0, c.unanswered, false});
        ctl::RequestedPauses clock(virtualClock);
        ctl::RecordingTransport recorder(bus, clock, [&](uint16_t, uint16_t pid) {
            for (const auto& link : c.links) {
                if (link.pid == pid)
                    return link.mode;
            }
            return -1;
        });

        KeyboardDevice device(recorder, clock);
        for (const auto& link : c.links)
            device.AddModel(link.vid, link.pid, link.product, c.device_type, link.mode, L"");
        device.OpenAll();
        device.SetOpened(true);
        device.SelectDeviceType(c.device_type);
        LightOperations light(device, clock);
        const int mode = device.GetConnectionMode();
        light.ResetKeyboard(c.device_type, mode);
        light.ApplyLightMode(c.device_type, mode, 3, LightSettings{3, 4, 3, 2, 1, 0, 255, 0}, 0);
        light.CheckFirmwareVersion(L"1");
        const std::array<uint8_t, KeyboardDevice::ReportSize> frame{0x00, 0xF1, 0x3C};
        device.WriteLiveReport(frame);

        const std::vector<std::string> expected = Lines(bus.GetTranscript());
        EXPECT_GE(expected.size(), 3u);
        EXPECT_EQ(Lines(recorder.GetTranscript()), expected) << "device type " << c.device_type;
    }
}

} // namespace
