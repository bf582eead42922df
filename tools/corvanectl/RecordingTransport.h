#pragma once

#include "emulator/Transcript.h"
#include "platform/HidTransport.h"

#include <functional>
#include <map>
#include <mutex>

namespace corvane::ctl {

class RequestedPauses;

// Passes every call on to the real bus and keeps each report in a transcript, named and timed
// the way the emulator names and times its own: "cmd<mode>" or "live<mode>", the pause being
// what was requested since the report before.
class RecordingTransport : public HidTransport {
public:
    // The connection mode of the catalogue's first model with these ids; -1 when none has them.
    using ModeOf = std::function<int(uint16_t vid, uint16_t pid)>;

    RecordingTransport(HidTransport& inner, RequestedPauses& pauses, ModeOf mode_of);

    bool Init() override { return m_inner.Init(); }
    std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    const Transcript& GetTranscript() const { return m_transcript; }
    void Record(const std::string& interface, Transcript::Op op, std::span<const uint8_t> bytes, bool answered);

private:
    HidTransport& m_inner;
    RequestedPauses& m_pauses;
    ModeOf m_modeOf;
    std::mutex m_lock;
    std::map<std::string, std::string> m_names; // open path -> interface name, from the last enumeration
    Transcript m_transcript;
};

} // namespace corvane::ctl
