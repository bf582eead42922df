#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueSink.h"
#include "tarnui/platform/Numbers.h"
#include "xml/XmlDocument.h"

namespace corvane {

using tarn::CString;

std::optional<CString> Catalogue::ReadDeviceName(const std::filesystem::path& programDir)
{
    XmlDocument doc;
    if (!doc.Load(programDir / FileName) || !doc.FindElem("config"))
        return std::nullopt;
    doc.IntoElem();
    if (!doc.FindElem("software"))
        return std::nullopt;
    return doc.GetAttrib("name");
}

void Catalogue::Clear()
{
    m_models.clear();
    m_modes.clear();
    m_version.Empty();
    m_website.Empty();
    m_store.Empty();
    m_upgrade.Empty();
    m_copyright.Empty();
}

void Catalogue::Read(const std::filesystem::path& programDir, CatalogueSink& sink)
{
    Clear();
    XmlDocument doc;
    if (!doc.Load(programDir / FileName) || !doc.FindElem("config"))
        return;
    doc.IntoElem();

    if (doc.FindElem("device.info")) {
        doc.IntoElem();
        while (doc.FindElem("keyboard")) {
            DeviceRecord record;
            record.name = doc.GetAttrib("name");
            record.device_type = tarn::ReadDecimal(doc.GetAttrib("device_type").view());
            record.device_info = doc.GetAttrib("device_info");
            m_models.push_back(record);
            sink.AddDevice(record.name, 0, 0, record.device_type, false);

            // Every mode overwrites the six fields in the same record, present or not.
            doc.IntoElem();
            while (doc.FindElem("mode")) {
                record.mode = tarn::ReadDecimal(doc.GetAttrib("value").view());
                record.desc = doc.GetAttrib("desc");
                record.vid = tarn::ReadHex(doc.GetAttrib("vid").view());
                record.pid = tarn::ReadHex(doc.GetAttrib("pid").view());
                record.name = doc.GetAttrib("product_name");
                record.hid_interface = doc.GetAttrib("hid_interface");
                m_modes.push_back(record);
                sink.AddModel(record.vid, record.pid, record.name, record.device_type, record.mode, record.hid_interface);
            }
            doc.OutOfElem();
        }
        doc.OutOfElem();
    }

    // The search runs on from device.info, so a software element before it is not seen.
    if (!doc.FindElem("software"))
        return;
    m_version = doc.GetAttrib("version");
    sink.SetVersionText(CString::Formatted(L"Ver: %s", m_version));
    doc.IntoElem();
    if (doc.FindElem("website"))
        m_website = doc.GetAttrib("url");
    if (doc.FindElem("store"))
        m_store = doc.GetAttrib("url");
    if (doc.FindElem("upgrade"))
        m_upgrade = doc.GetAttrib("url");
    if (doc.FindElem("copyright")) {
        m_copyright = doc.GetAttrib("info");
        sink.SetCopyrightText(m_copyright);
    }
}

const DeviceRecord* Catalogue::FindModel(int device_type) const
{
    for (const DeviceRecord& model : m_models) {
        if (model.device_type == device_type)
            return &model;
    }
    return nullptr;
}

} // namespace corvane
