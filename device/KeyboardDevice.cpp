#include "device/KeyboardDevice.h"

#include "platform/Clock.h"
#include "platform/HidTransport.h"

#include <algorithm>

namespace corvane {

using namespace std::chrono_literals;

namespace {

constexpr uint16_t VendorPage = 0xFF01;
constexpr uint16_t VendorUsage = 0x0001;
constexpr int LiveFrameInterface = 3;

} // namespace

KeyboardDevice::KeyboardDevice(HidTransport& transport, Clock& clock) : m_transport(transport), m_clock(clock)
{
    m_transport.Init();
}

KeyboardDevice::~KeyboardDevice() = default;

void KeyboardDevice::AddModel(int vid, int pid, const tarn::CString& product_name, int device_type, int mode,
                              const tarn::CString& hid_interface)
{
    std::lock_guard guard(m_lock);
    m_models.push_back({vid, pid, product_name, device_type, mode, hid_interface});
}

void KeyboardDevice::CloseAll()
{
    std::lock_guard guard(m_lock);
    if (!m_opened)
        return;
    m_opened = false;
    m_chosen = -1;
    m_interfaces.clear();
    m_live.reset();
}

void KeyboardDevice::OpenAll()
{
    std::lock_guard guard(m_lock);
    for (const HidDeviceInfo& info : m_transport.Enumerate(0, 0)) {
        const auto model = std::find_if(m_models.begin(), m_models.end(), [&](const Model& m) {
            return m.vid == info.vendor_id && m.pid == info.product_id
                   && (m.product_name.IsEmpty() || m.product_name == info.product_string);
        });
        if (model == m_models.end())
            continue;
        std::unique_ptr<HidDevice> device = m_transport.OpenPath(info.path);
        if (!device)
            continue;
        if (info.usage_page != VendorPage || info.usage != VendorUsage)
            continue; // the keyboard's ordinary collections: closed again here
        // device_type and mode come from the first model with these ids, whatever its product name.
        const auto first = std::find_if(m_models.begin(), m_models.end(), [&](const Model& m) {
            return m.vid == info.vendor_id && m.pid == info.product_id;
        });
        const Interface described{info.vendor_id, info.product_id, info.product_string, first->device_type, first->mode,
                                  info.usage_page, info.usage, info.interface_number, info.interface_path};
        tarn::CString path = info.interface_path;
        if (path.MakeUpper().Find(L"&MI_03") >= 0 || info.interface_number == LiveFrameInterface) {
            m_live = std::move(device);
            m_liveInfo = described;
            continue;
        }
        Record record;
        record.info = described;
        record.device = std::move(device);
        m_interfaces.push_back(std::move(record));
    }
}

void KeyboardDevice::SetOpened(bool opened)
{
    std::lock_guard guard(m_lock);
    m_opened = opened;
}

bool KeyboardDevice::IsOpened() const
{
    std::lock_guard guard(m_lock);
    return m_opened;
}

void KeyboardDevice::SelectDeviceType(int device_type)
{
    std::lock_guard guard(m_lock);
    m_selectedType = device_type;
    m_chosen = -1;
}

bool KeyboardDevice::ListInterfaces(std::vector<Interface>& out)
{
    std::lock_guard guard(m_lock);
    if (m_interfaces.empty())
        return false;
    for (const Record& r : m_interfaces) {
        if (m_selectedType == 0 || r.info.device_type == m_selectedType)
            out.push_back(r.info);
    }
    return true;
}

const KeyboardDevice::Interface* KeyboardDevice::ChooseInterface()
{
    std::lock_guard guard(m_lock);
    if (m_chosen < 0) {
        for (int mode : {0, 1, 2}) {
            for (size_t i = 0; i < m_interfaces.size() && m_chosen < 0; ++i) {
                if (m_interfaces[i].info.device_type == m_selectedType && m_interfaces[i].info.mode == mode)
                    m_chosen = static_cast<int>(i);
            }
        }
    }
    return m_chosen < 0 ? nullptr : &m_interfaces[static_cast<size_t>(m_chosen)].info;
}

HidDevice* KeyboardDevice::Chosen()
{
    if (!m_opened || !ChooseInterface())
        return nullptr;
    return m_interfaces[static_cast<size_t>(m_chosen)].device.get();
}

int KeyboardDevice::GetConnectionMode()
{
    std::lock_guard guard(m_lock);
    auto has = [&](int mode) {
        return std::any_of(m_interfaces.begin(), m_interfaces.end(), [&](const Record& r) {
            return r.info.device_type == m_selectedType && r.info.mode == mode;
        });
    };
    // Wireless 2 ranks before 1 here, unlike ChooseInterface.
    for (int mode : {0, 2, 1}) {
        if (has(mode))
            return mode;
    }
    return -1;
}

int KeyboardDevice::FindInterface(int vid, int pid, const tarn::CString& product_name, int mode)
{
    std::lock_guard guard(m_lock);
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
        const Interface& r = m_interfaces[i].info;
        if (r.vid != vid || r.pid != pid || r.mode != mode)
            continue;
        if (!product_name.IsEmpty() && r.product_string != product_name)
            return -1;
        return static_cast<int>(i);
    }
    return -1;
}

bool KeyboardDevice::HasLiveInterface() const
{
    std::lock_guard guard(m_lock);
    return m_live != nullptr;
}

std::optional<KeyboardDevice::Interface> KeyboardDevice::LiveInterface() const
{
    std::lock_guard guard(m_lock);
    if (!m_live)
        return std::nullopt;
    return m_liveInfo;
}

bool KeyboardDevice::SendFeature(std::span<const uint8_t, FeatureSize> report)
{
    std::lock_guard guard(m_lock);
    if (HidDevice* device = Chosen()) {
        m_clock.Sleep(16ms);
        device->SendFeatureReport(report);
    }
    return false; // the caller learns nothing, by design of the protocol's callers
}

bool KeyboardDevice::SendFeatureNow(std::span<const uint8_t, FeatureSize> report)
{
    std::lock_guard guard(m_lock);
    HidDevice* device = Chosen();
    return device && device->SendFeatureReport(report) > 0;
}

bool KeyboardDevice::WriteWithRetry(HidDevice& device, std::span<const uint8_t> bytes, Clock& clock, int retryPause)
{
    if (device.Write(bytes) > 0)
        return true;
    clock.Sleep(std::chrono::milliseconds(retryPause));
    return device.Write(bytes) > 0;
}

bool KeyboardDevice::WriteReport(std::span<const uint8_t, ReportSize> report)
{
    std::lock_guard guard(m_lock);
    HidDevice* device = Chosen();
    return device && WriteWithRetry(*device, report, m_clock, 10);
}

bool KeyboardDevice::WriteLiveReport(std::span<const uint8_t, ReportSize> report)
{
    std::lock_guard guard(m_lock);
    if (!m_opened || !m_live)
        return false;
    WriteWithRetry(*m_live, report, m_clock, 10);
    return true;
}

bool KeyboardDevice::WritePayload(std::span<const uint8_t, PayloadSize> payload)
{
    std::lock_guard guard(m_lock);
    HidDevice* device = Chosen();
    if (!device)
        return false;
    std::array<uint8_t, PayloadSize + 1> report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return WriteWithRetry(*device, report, m_clock, 32);
}

bool KeyboardDevice::ReadFeatureBlock(std::span<uint8_t> buffer)
{
    std::lock_guard guard(m_lock);
    HidDevice* device = Chosen();
    if (!device || buffer.size() < FeatureBlockSize)
        return false;
    device->SendFeatureReport(buffer.first(FeatureSize));
    for (size_t k = 0; k < 4; ++k) {
        m_clock.Sleep(16ms);
        std::array<uint8_t, FeatureSize> answer = {FeatureReportId, 0xFB, 0x01, 0, 0, 0, 0, 0};
        if (device->GetFeatureReport(answer) > 0)
            std::copy(answer.begin() + 1, answer.end(), buffer.begin() + static_cast<std::ptrdiff_t>(7 * k));
    }
    return true;
}

bool KeyboardDevice::ReadVersionWord(int& value)
{
    std::lock_guard guard(m_lock);
    HidDevice* device = Chosen();
    if (!device)
        return false;
    m_clock.Sleep(16ms);
    const std::array<uint8_t, FeatureSize> request = {FeatureReportId, 0xFD, 0, 0, 0, 0, 0, 0};
    if (device->SendFeatureReport(request) <= 0)
        return false;
    // The answer starts zeroed and takes only bytes a read really returned.
    std::array<uint8_t, FeatureSize> answer{};
    bool answered = false;
    auto read = [&] {
        std::array<uint8_t, FeatureSize> buffer = request;
        if (device->GetFeatureReport(buffer) > 0) {
            answer = buffer;
            answered = true;
        }
    };
    m_clock.Sleep(16ms);
    read();
    if (answer[0] != FeatureReportId) {
        m_clock.Sleep(16ms);
        read();
    }
    if (!answered)
        return false;
    value = answer[1] * 256 + answer[2];
    return true;
}

} // namespace corvane
