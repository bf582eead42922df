#include "tools/corvanectl/RecordingTransport.h"

#include "tools/corvanectl/RequestedPauses.h"

#include <algorithm>

namespace corvane::ctl {

namespace {

constexpr int LiveFrameInterface = 3;

class RecordingDevice : public HidDevice {
public:
    RecordingDevice(std::unique_ptr<HidDevice> inner, RecordingTransport& owner, std::string name)
        : m_inner(std::move(inner)), m_owner(owner), m_name(std::move(name))
    {
    }

    // As on the emulator, a write or feature report the device did not take leaves no line.
    int Write(std::span<const uint8_t> report) override
    {
        const int n = m_inner->Write(report);
        if (n > 0)
            m_owner.Record(m_name, Transcript::Op::Write, report, true);
        return n;
    }

    int SendFeatureReport(std::span<const uint8_t> report) override
    {
        const int n = m_inner->SendFeatureReport(report);
        if (n > 0)
            m_owner.Record(m_name, Transcript::Op::FeatureSet, report, true);
        return n;
    }

    int GetFeatureReport(std::span<uint8_t> buffer) override
    {
        const int n = m_inner->GetFeatureReport(buffer);
        m_owner.Record(m_name, Transcript::Op::FeatureGet, buffer.first(std::min<size_t>(buffer.size(), 8)), n > 0);
        return n;
    }

private:
    std::unique_ptr<HidDevice> m_inner;
    RecordingTransport& m_owner;
    const std::string m_name;
};

} // namespace

RecordingTransport::RecordingTransport(HidTransport& inner, RequestedPauses& pauses, ModeOf mode_of)
    : m_inner(inner), m_pauses(pauses), m_modeOf(std::move(mode_of))
{
}

std::vector<HidDeviceInfo> RecordingTransport::Enumerate(uint16_t vendor_id, uint16_t product_id)
{
    std::vector<HidDeviceInfo> found = m_inner.Enumerate(vendor_id, product_id);
    std::lock_guard guard(m_lock);
    m_names.clear();
    for (const HidDeviceInfo& info : found) {
        tarn::CString path = info.interface_path;
        const bool live = info.interface_number == LiveFrameInterface || path.MakeUpper().Find(L"&MI_03") >= 0;
        // Collections of one node share its path; the first listed names it.
        m_names.emplace(info.path, (live ? "live" : "cmd") + std::to_string(m_modeOf(info.vendor_id, info.product_id)));
    }
    return found;
}

std::unique_ptr<HidDevice> RecordingTransport::OpenPath(const std::string& path)
{
    std::unique_ptr<HidDevice> device = m_inner.OpenPath(path);
    if (!device)
        return nullptr;
    std::string name;
    {
        std::lock_guard guard(m_lock);
        const auto it = m_names.find(path);
        name = it != m_names.end() ? it->second : "cmd-1";
    }
    return std::make_unique<RecordingDevice>(std::move(device), *this, std::move(name));
}

void RecordingTransport::Record(const std::string& interface, Transcript::Op op, std::span<const uint8_t> bytes,
                                bool answered)
{
    std::lock_guard guard(m_lock);
    m_transcript.Record(interface, op, m_pauses.Total(), bytes, answered);
}

} // namespace corvane::ctl
