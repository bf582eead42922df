#include "platform/hid/DeviceChangeSink.h"
#include "platform/hid/DeviceChangeTranslator.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

using corvane::DeviceChangeSink;
using corvane::DeviceChangeTranslator;
using corvane::HidNodeFacts;
using tarn::CString;

namespace {

// Interface 0 of a four-interface keyboard: only the count, gone at removal, says it needs MI_00.
const HidNodeFacts KeyboardIf0{"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/0003:3A71:0201.0003/hidraw/hidraw1",
                               "0003:00003A71:00000201", "usb-0000:00:14.0-2/input0", "Corvane K201", 0, 4};
const CString KeyboardIf0Path(LR"(\\?\HID#VID_3A71&PID_0201&MI_00#0003:3A71:0201.0003#{4D1E55B2-F16F-11CF-88CB-001111000030})");
// An emulated interface: only HID_PHYS, gone at removal, names its interface.
const HidNodeFacts EmulatedIf3{"/devices/virtual/misc/uhid/0003:3A71:0201.0009/hidraw/hidraw7", "0003:00003A71:00000201",
                               "corvane-emulator/input3", "", -1, -1};

HidNodeFacts Gone(const HidNodeFacts& facts)
{
    return HidNodeFacts{facts.devpath, {}, {}, {}, -1, -1};
}

TEST(DeviceChangeTranslator, RemovalReportsThePathTheArrivalReported)
{
    DeviceChangeTranslator translator;
    for (const HidNodeFacts& facts : {KeyboardIf0, EmulatedIf3}) {
        const auto arrival = translator.Translate("add", facts);
        ASSERT_TRUE(arrival.has_value());
        EXPECT_EQ(arrival->event, DeviceChangeSink::Arrival);

        const auto removal = translator.Translate("remove", Gone(facts));
        ASSERT_TRUE(removal.has_value());
        EXPECT_EQ(removal->event, DeviceChangeSink::RemoveComplete);
        EXPECT_EQ(removal->interface_path, arrival->interface_path);
    }
    EXPECT_EQ(translator.KnownNodes(), 0u);
}

TEST(DeviceChangeTranslator, NodesPresentBeforeTheStartAreRemembered)
{
    DeviceChangeTranslator translator;
    translator.Remember(KeyboardIf0);
    const auto removal = translator.Translate("remove", Gone(KeyboardIf0));
    ASSERT_TRUE(removal.has_value());
    EXPECT_EQ(removal->interface_path, KeyboardIf0Path);
}

TEST(DeviceChangeTranslator, AnUnknownRemovalIsBuiltFromItsDevpath)
{
    DeviceChangeTranslator translator;
    translator.Translate("add", KeyboardIf0);
    translator.Translate("remove", Gone(KeyboardIf0));
    // Forgotten after its removal: a second one falls back to what the devpath says.
    const auto again = translator.Translate("remove", Gone(KeyboardIf0));
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->event, DeviceChangeSink::RemoveComplete);
    EXPECT_EQ(again->interface_path,
              CString(LR"(\\?\HID#VID_3A71&PID_0201#0003:3A71:0201.0003#{4D1E55B2-F16F-11CF-88CB-001111000030})"));
}

TEST(DeviceChangeTranslator, OtherActionsAndNamelessNodesGiveNothing)
{
    DeviceChangeTranslator translator;
    translator.Remember(KeyboardIf0);
    for (const char* action : {"change", "bind", "unbind", "move", "online", ""})
        EXPECT_FALSE(translator.Translate(action, KeyboardIf0).has_value()) << action;
    EXPECT_EQ(translator.KnownNodes(), 1u);

    const HidNodeFacts nameless{"/devices/pci0000:00/0000:00:14.0/hidraw/hidraw0", {}, {}, {}, -1, -1};
    EXPECT_FALSE(translator.Translate("add", nameless).has_value());
    EXPECT_FALSE(translator.Translate("remove", nameless).has_value());
    EXPECT_FALSE(translator.Translate("add", HidNodeFacts{}).has_value());
    EXPECT_EQ(translator.KnownNodes(), 1u);
}

} // namespace
