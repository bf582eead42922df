#pragma once

#include "catalogue/DeviceRecord.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace corvane {

class CatalogueSink;

// The product's keyboard models and their connection modes, read once from config.xml.
class Catalogue {
public:
    static constexpr const char* FileName = "config.xml";

    // The `name` of `software`, also when empty; nothing when the file cannot be loaded or the
    // element is missing. `software` may stand anywhere in `config` here.
    static std::optional<tarn::CString> ReadDeviceName(const std::filesystem::path& programDir);

    // Empties both tables and the texts, then fills them from programDir/config.xml, feeding
    // every model and mode to the sink. A missing or malformed file leaves everything empty.
    void Read(const std::filesystem::path& programDir, CatalogueSink& sink);
    void Clear();

    const std::vector<DeviceRecord>& KeyboardModels() const { return m_models; }
    const std::vector<DeviceRecord>& DeviceModes() const { return m_modes; }
    std::vector<DeviceRecord>& DeviceModes() { return m_modes; }
    // The first model with this device type, or null.
    const DeviceRecord* FindModel(int device_type) const;

    const tarn::CString& Version() const { return m_version; }
    const tarn::CString& Website() const { return m_website; }
    const tarn::CString& Store() const { return m_store; }
    const tarn::CString& Upgrade() const { return m_upgrade; }
    const tarn::CString& Copyright() const { return m_copyright; }

private:
    std::vector<DeviceRecord> m_models;
    std::vector<DeviceRecord> m_modes;
    tarn::CString m_version;
    tarn::CString m_website;
    tarn::CString m_store;
    tarn::CString m_upgrade;
    tarn::CString m_copyright;
};

} // namespace corvane
