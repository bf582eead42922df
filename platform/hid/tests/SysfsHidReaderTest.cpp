#include "platform/hid/InterfacePath.h"
#include "platform/hid/SysfsHidReader.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using corvane::InterfacePath;
using corvane::SysfsHidReader;
namespace fs = std::filesystem;

namespace {

// A small sysfs: a four-interface USB keyboard (hidraw3 on interface 3, hidraw4 on interface
// 0x0A, to catch a decimal reading of the hex attribute) and a uhid device (hidraw7).
class SysfsHidReaderTest : public ::testing::Test {
protected:
    static constexpr const char* UsbDevice = "/devices/pci0000:00/0000:00:14.0/usb1/1-2";

    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("corvane-sysfs-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        Write(std::string(UsbDevice) + "/bNumInterfaces", " 4\n");
        AddNode(std::string(UsbDevice) + "/1-2:1.3", "03\n", "0003:3A71:0201.0005", "hidraw3", "usb-0000:00:14.0-2/input3");
        AddNode(std::string(UsbDevice) + "/1-2:1.10", "0a\n", "0003:3A71:0201.0006", "hidraw4", "usb-0000:00:14.0-2/input10");
        AddNode("/devices/virtual/misc/uhid", "", "0003:3A71:0201.0009", "hidraw7", "corvane-emulator/input3");
    }
    void TearDown() override { fs::remove_all(m_root); }

    void Write(const std::string& devpath, const std::string& text)
    {
        const fs::path file = m_root / fs::path(devpath).relative_path();
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    void AddNode(const std::string& parent, const std::string& interfaceNumber, const std::string& hid, const std::string& node,
                 const std::string& phys)
    {
        if (!interfaceNumber.empty())
            Write(parent + "/bInterfaceNumber", interfaceNumber);
        const std::string id = "0003:0000" + hid.substr(5, 4) + ":0000" + hid.substr(10, 4);
        Write(parent + "/" + hid + "/uevent", "DRIVER=hid-generic\nHID_ID=" + id + "\nHID_NAME=Corvane K201\nHID_PHYS=" + phys + "\n");
        fs::create_directories(m_root / fs::path(parent + "/" + hid + "/hidraw/" + node).relative_path());
        fs::create_directories(m_root / "class/hidraw");
        fs::create_directory_symlink(fs::path("../../") / fs::path(parent + "/" + hid + "/hidraw/" + node).relative_path(),
                                     m_root / "class/hidraw" / node);
    }

    fs::path m_root;
};

TEST_F(SysfsHidReaderTest, ReadsAUsbNodeThroughItsClassLink)
{
    const auto facts = SysfsHidReader(m_root).FromDeviceNode("/dev/hidraw3");
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->devpath, std::string(UsbDevice) + "/1-2:1.3/0003:3A71:0201.0005/hidraw/hidraw3");
    EXPECT_EQ(facts->hid_id, "0003:00003A71:00000201");
    EXPECT_EQ(facts->hid_phys, "usb-0000:00:14.0-2/input3");
    EXPECT_EQ(facts->hid_name, "Corvane K201");
    EXPECT_EQ(facts->usb_interface_number, 3);
    EXPECT_EQ(facts->usb_interface_count, 4);
    EXPECT_EQ(InterfacePath::Build(*facts),
              tarn::CString(LR"(\\?\HID#VID_3A71&PID_0201&MI_03#0003:3A71:0201.0005#{4D1E55B2-F16F-11CF-88CB-001111000030})"));
}

TEST_F(SysfsHidReaderTest, ReadsTheInterfaceNumberAsHex)
{
    const auto facts = SysfsHidReader(m_root).FromDeviceNode("/dev/hidraw4");
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->usb_interface_number, 10);
    EXPECT_GE(InterfacePath::Build(*facts).Find(L"&MI_0A#"), 0);
}

TEST_F(SysfsHidReaderTest, AUhidNodeHasNoUsbInterface)
{
    const auto facts = SysfsHidReader(m_root).FromDeviceNode("/dev/hidraw7");
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->usb_interface_number, -1);
    EXPECT_EQ(facts->usb_interface_count, -1);
    EXPECT_GE(InterfacePath::Build(*facts).Find(L"VID_3A71&PID_0201&MI_03#"), 0);
}

TEST_F(SysfsHidReaderTest, NodesWithoutAnEntryGiveNothing)
{
    const SysfsHidReader reader(m_root);
    EXPECT_FALSE(reader.FromDeviceNode("/dev/hidraw9").has_value());
    EXPECT_FALSE(reader.FromDeviceNode("/dev/sda").has_value());
    EXPECT_FALSE(reader.FromDeviceNode("/dev/hidraw").has_value());
    EXPECT_FALSE(reader.FromDeviceNode("").has_value());
}

TEST_F(SysfsHidReaderTest, AGoneNodeKeepsOnlyItsDevpath)
{
    const std::string devpath = std::string(UsbDevice) + "/1-2:1.2/0003:3A71:0201.0004/hidraw/hidraw2";
    const auto facts = SysfsHidReader(m_root).FromDevpath(devpath);
    EXPECT_EQ(facts.devpath, devpath);
    EXPECT_TRUE(facts.hid_id.empty());
    EXPECT_TRUE(facts.hid_phys.empty());
    EXPECT_EQ(facts.usb_interface_number, -1);
    EXPECT_EQ(facts.usb_interface_count, -1);
}

} // namespace
