#include "platform/hid/InterfacePath.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

using corvane::HidNodeFacts;
using corvane::InterfacePath;
using tarn::CString;

namespace {

constexpr const char* UsbKeyboard = "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/0003:3A71:0201.0005/hidraw/hidraw3";

struct PathCase {
    const char* name;
    HidNodeFacts facts;
    const wchar_t* expected;
};

const PathCase Cases[] = {
    {"usb interface 3 of four",
     {UsbKeyboard, "0003:00003A71:00000201", "usb-0000:00:14.0-2/input3", "Corvane K201", 3, 4},
     LR"(\\?\HID#VID_3A71&PID_0201&MI_03#0003:3A71:0201.0005#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"usb interface 0 of a multi-interface device keeps MI_00",
     {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/0003:3A71:0201.0003/hidraw/hidraw1", "0003:00003A71:00000201",
      "usb-0000:00:14.0-2/input0", "", 0, 4},
     LR"(\\?\HID#VID_3A71&PID_0201&MI_00#0003:3A71:0201.0003#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"usb single interface has no MI",
     {"/devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/0003:046D:C077.0002/hidraw/hidraw0", "0003:0000046D:0000C077",
      "usb-0000:00:14.0-3/input0", "", 0, 1},
     LR"(\\?\HID#VID_046D&PID_C077#0003:046D:C077.0002#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"lower-case input comes out upper-case",
     {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:3a71:020b.000a/hidraw/hidraw4", "0003:00003a71:0000020b", "", "", 1, 2},
     LR"(\\?\HID#VID_3A71&PID_020B&MI_01#0003:3A71:020B.000A#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"bluetooth le over gatt",
     {"/devices/virtual/misc/uhid/0005:3A71:0203.0007/hidraw/hidraw5", "0005:00003A71:00000203", "a0:b1:c2:d3:e4:f5", "", -1, -1},
     LR"(\\?\HID#{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&023A71_PID&0203#0005:3A71:0203.0007#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"bluetooth classic behind a usb adapter is not taken for usb",
     {"/devices/pci0000:00/0000:00:14.0/usb1/1-5/1-5:1.0/bluetooth/hci0/hci0:256/0005:3A71:0203.0008/hidraw/hidraw6",
      "0005:00003A71:00000203", "a0:b1:c2:d3:e4:f5", "", -1, -1},
     LR"(\\?\HID#{00001124-0000-1000-8000-00805F9B34FB}_VID&00023A71_PID&0203#0005:3A71:0203.0008#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"uhid takes its interface from HID_PHYS",
     {"/devices/virtual/misc/uhid/0003:3A71:0201.0009/hidraw/hidraw7", "0003:00003A71:00000201", "corvane-emulator/input3", "", -1, -1},
     LR"(\\?\HID#VID_3A71&PID_0201&MI_03#0003:3A71:0201.0009#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"uhid without an input number has no MI",
     {"/devices/virtual/misc/uhid/0003:3A71:0201.000B/hidraw/hidraw8", "0003:00003A71:00000201", "corvane-emulator", "", -1, -1},
     LR"(\\?\HID#VID_3A71&PID_0201#0003:3A71:0201.000B#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"removal with no sysfs left still names the interface",
     {UsbKeyboard, "", "", "", -1, -1},
     LR"(\\?\HID#VID_3A71&PID_0201&MI_03#0003:3A71:0201.0005#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"removal of bluetooth le with no sysfs left keeps the gatt service",
     {"/devices/virtual/misc/uhid/0005:3A71:0203.0007/hidraw/hidraw5", "", "", "", -1, -1},
     LR"(\\?\HID#{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&023A71_PID&0203#0005:3A71:0203.0007#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"i2c has neither MI nor a service id",
     {"/devices/platform/AMDI0010:00/i2c-0/i2c-ELAN0001:00/0018:04F3:3147.0001/hidraw/hidraw0", "0018:000004F3:00003147", "i2c-ELAN0001:00", "", -1, -1},
     LR"(\\?\HID#VID_04F3&PID_3147#0018:04F3:3147.0001#{4D1E55B2-F16F-11CF-88CB-001111000030})"},
    {"a pci address is not taken for a HID device",
     {"/devices/pci0000:00/0000:00:14.0/hidraw/hidraw0", "", "", "", -1, -1}, L""},
    {"a malformed HID_ID and no devpath give nothing", {"", "0003:3A71", "", "", -1, -1}, L""},
    {"an identity wider than 16 bits is refused", {"/devices/x/hidraw/hidraw0", "0003:00013A71:00000201", "", "", -1, -1}, L""},
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.name;
}

class InterfacePathCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(InterfacePathCases, Builds)
{
    EXPECT_EQ(InterfacePath::Build(GetParam().facts), CString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Table, InterfacePathCases, ::testing::ValuesIn(Cases), [](const auto& testCase) {
    std::string name;
    for (const char c : std::string(testCase.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// The paths exist so the catalogue's patterns and the program's "&MI_03" and GATT tests keep working.
TEST(InterfacePath, CarriesWhatTheCatalogueAndTheMatchersLookFor)
{
    HidNodeFacts command{"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:3A71:0201.0004/hidraw/hidraw2",
                         "0003:00003A71:00000201", "usb-0000:00:14.0-2/input1", "", 1, 4};
    EXPECT_GE(InterfacePath::Build(command).Find(L"VID_3A71&PID_0201&MI_01"), 0);
    EXPECT_LT(InterfacePath::Build(command).Find(L"&MI_03"), 0);

    HidNodeFacts classic{"/devices/virtual/hci0/hci0:256/0005:3A71:0203.0008/hidraw/hidraw6", "0005:00003A71:00000203", "", "", -1, -1};
    EXPECT_GE(InterfacePath::Build(classic).Find(L"VID&00023A71_PID&0203"), 0);
    EXPECT_LT(InterfacePath::Build(classic).Find(L"00001812-0000-1000-8000-00805F9B34FB"), 0);
}

} // namespace
