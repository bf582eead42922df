#include "emulator/EmulatedHidBus.h"

#include "platform/Clock.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr uint16_t VendorPage = 0xFF01;
constexpr const wchar_t* HidClass = L"{4D1E55B2-F16F-11CF-88CB-001111000030}";

// An open node. Once its link is unplugged every transfer fails, as on a vanished device.
class EmulatedDevice : public HidDevice {
public:
    EmulatedDevice(EmulatedHidBus& bus, EmulatedKeyboard& keyboard, int mode, bool live)
        : m_bus(bus), m_keyboard(keyboard), m_mode(mode), m_live(live),
          m_name((live ? "live" : "cmd") + std::to_string(mode))
    {
    }

    int Write(std::span<const uint8_t> report) override
    {
        if (!m_keyboard.IsPlugged(m_mode))
            return -1;
        const int n = m_keyboard.OnWrite(m_mode, m_live, report);
        if (n > 0)
            m_bus.Record(m_name, Transcript::Op::Write, report, true);
        return n;
    }

    int SendFeatureReport(std::span<const uint8_t> report) override
    {
        if (!m_keyboard.IsPlugged(m_mode))
            return -1;
        const int n = m_keyboard.OnFeatureSet(m_mode, m_live, report);
        if (n > 0)
            m_bus.Record(m_name, Transcript::Op::FeatureSet, report, true);
        return n;
    }

    int GetFeatureReport(std::span<uint8_t> buffer) override
    {
        if (!m_keyboard.IsPlugged(m_mode))
            return -1;
        const int n = m_keyboard.OnFeatureGet(m_mode, m_live, buffer);
        m_bus.Record(m_name, Transcript::Op::FeatureGet, buffer.first(std::min<size_t>(buffer.size(), 8)), n > 0);
        return n;
    }

private:
    EmulatedHidBus& m_bus;
    EmulatedKeyboard& m_keyboard;
    const int m_mode;
    const bool m_live;
    const std::string m_name;
};

tarn::CString UsbPath(const EmulatedKeyboard::Link& link, int interface_number, int keyboard)
{
    return tarn::CString::Formatted(L"\\\\?\\HID#VID_%04X&PID_%04X&MI_%02X#8&%x&0&0000#%s", link.vid, link.pid,
                                    interface_number, keyboard * 16 + link.mode, HidClass);
}

tarn::CString BluetoothPath(const EmulatedKeyboard::Link& link, int keyboard)
{
    return tarn::CString::Formatted(L"\\\\?\\HID#{00001124-0000-1000-8000-00805F9B34FB}_VID&0002%04X_PID&%04X#9&%x&0&0000#%s",
                                    link.vid, link.pid, keyboard * 16 + link.mode, HidClass);
}

} // namespace

EmulatedHidBus::EmulatedHidBus(Clock& clock) : m_clock(clock)
{
}

EmulatedKeyboard& EmulatedHidBus::AddKeyboard(int device_type, std::vector<EmulatedKeyboard::Link> links)
{
    std::lock_guard guard(m_lock);
    m_keyboards.push_back(std::make_unique<EmulatedKeyboard>(device_type, std::move(links)));
    return *m_keyboards.back();
}

void EmulatedHidBus::AddForeignDevice(const HidDeviceInfo& info)
{
    std::lock_guard guard(m_lock);
    m_foreign.push_back(info);
}

std::vector<EmulatedHidBus::Node> EmulatedHidBus::NodesOf(EmulatedKeyboard& keyboard,
                                                         const EmulatedKeyboard::Link& link) const
{
    const auto index = static_cast<size_t>(std::find_if(m_keyboards.begin(), m_keyboards.end(),
                                                        [&](const auto& k) { return k.get() == &keyboard; })
                                           - m_keyboards.begin());
    const std::string base = "emulated/" + std::to_string(index) + "/" + std::to_string(link.mode) + "/";
    if (link.mode == 0)
        return {{base + "if0", &keyboard, 0, 0, false, false},
                {base + "if1", &keyboard, 0, 1, false, true},
                {base + "if3", &keyboard, 0, 3, true, true}};
    if (link.mode == 1)
        return {{base + "if0", &keyboard, 1, 0, false, false}, {base + "if1", &keyboard, 1, 1, false, true}};
    // Bluetooth: both collections on one node.
    return {{base + "bt", &keyboard, link.mode, -1, false, false}, {base + "bt", &keyboard, link.mode, -1, false, true}};
}

std::vector<HidDeviceInfo> EmulatedHidBus::Enumerate(uint16_t vendor_id, uint16_t product_id)
{
    std::lock_guard guard(m_lock);
    std::vector<HidDeviceInfo> out;
    auto wanted = [&](uint16_t vid, uint16_t pid) {
        return (vendor_id == 0 || vendor_id == vid) && (product_id == 0 || product_id == pid);
    };
    for (size_t k = 0; k < m_keyboards.size(); ++k) {
        for (const EmulatedKeyboard::Link& link : m_keyboards[k]->Links()) {
            if (!link.plugged || !wanted(link.vid, link.pid))
                continue;
            for (const Node& node : NodesOf(*m_keyboards[k], link)) {
                HidDeviceInfo info;
                info.path = node.path;
                info.interface_path = node.interface_number >= 0 ? UsbPath(link, node.interface_number, static_cast<int>(k))
                                                                 : BluetoothPath(link, static_cast<int>(k));
                info.vendor_id = link.vid;
                info.product_id = link.pid;
                info.release_number = 0x0100;
                info.product_string = link.product;
                info.usage_page = node.vendor ? VendorPage : 0x0001;
                info.usage = node.vendor ? 0x0001 : 0x0006;
                info.interface_number = node.interface_number;
                out.push_back(info);
            }
        }
    }
    for (const HidDeviceInfo& info : m_foreign) {
        if (wanted(info.vendor_id, info.product_id))
            out.push_back(info);
    }
    return out;
}

std::unique_ptr<HidDevice> EmulatedHidBus::OpenPath(const std::string& path)
{
    std::lock_guard guard(m_lock);
    for (auto& keyboard : m_keyboards) {
        for (const EmulatedKeyboard::Link& link : keyboard->Links()) {
            for (const Node& node : NodesOf(*keyboard, link)) {
                if (node.path != path || !link.plugged)
                    continue;
                if (keyboard->OpenFails())
                    return nullptr;
                ++m_opens;
                // A Bluetooth node carries both collections; its vendor one takes the commands.
                return std::make_unique<EmulatedDevice>(*this, *keyboard, node.mode, node.live);
            }
        }
    }
    return nullptr;
}

void EmulatedHidBus::SetRecording(bool on)
{
    std::lock_guard guard(m_lock);
    m_recording = on;
}

void EmulatedHidBus::Record(const std::string& interface, Transcript::Op op, std::span<const uint8_t> bytes,
                            bool answered)
{
    std::lock_guard guard(m_lock);
    if (!m_recording)
        return;
    m_transcript.Record(interface, op, m_clock.Now().count(), bytes, answered);
}

int EmulatedHidBus::OpenCount() const
{
    std::lock_guard guard(m_lock);
    return m_opens;
}

} // namespace corvane
