#include "platform/hid/HidApiTransport.h"

#include "platform/hid/HidApiDevice.h"
#include "platform/hid/InterfacePath.h"

#include <hidapi.h>

#include <map>

namespace corvane {

HidApiTransport::~HidApiTransport()
{
    if (m_initialised)
        hid_exit();
}

bool HidApiTransport::Init()
{
    if (!m_initialised)
        m_initialised = hid_init() == 0;
    return m_initialised;
}

std::vector<HidDeviceInfo> HidApiTransport::Enumerate(uint16_t vendor_id, uint16_t product_id)
{
    std::vector<HidDeviceInfo> list;
    hid_device_info* entries = hid_enumerate(vendor_id, product_id);
    // One entry per collection, so several share a node; read its sysfs once.
    std::map<std::string, tarn::CString> interfacePaths;
    for (const hid_device_info* e = entries; e; e = e->next) {
        HidDeviceInfo info;
        info.path = e->path ? e->path : "";
        auto known = interfacePaths.find(info.path);
        if (known == interfacePaths.end()) {
            tarn::CString built;
            if (auto facts = m_sysfs.FromDeviceNode(info.path))
                built = InterfacePath::Build(*facts);
            known = interfacePaths.emplace(info.path, built).first;
        }
        info.interface_path = known->second;
        info.vendor_id = e->vendor_id;
        info.product_id = e->product_id;
        info.release_number = e->release_number;
        info.product_string = e->product_string ? tarn::CString(e->product_string) : tarn::CString();
        info.usage_page = e->usage_page;
        info.usage = e->usage;
        info.interface_number = e->interface_number;
        list.push_back(std::move(info));
    }
    hid_free_enumeration(entries);
    return list;
}

std::unique_ptr<HidDevice> HidApiTransport::OpenPath(const std::string& path)
{
    hid_device* handle = hid_open_path(path.c_str());
    if (!handle)
        return nullptr;
    return std::make_unique<HidApiDevice>(handle);
}

} // namespace corvane
