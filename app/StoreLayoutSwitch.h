#pragma once

#include "catalogue/LayoutViews.h"
#include "store/ConfigStore.h"

namespace corvane {

// A layout load switches the store to the loaded model's database file.
class StoreLayoutSwitch : public LayoutStore {
public:
    explicit StoreLayoutSwitch(ConfigStore& store) : m_store(store) {}
    bool IsOpen() override { return m_store.IsOpen(); }
    void Close() override { m_store.Close(); }
    bool OpenForDevice(const tarn::CString& model_name) override { return m_store.OpenForDevice(model_name); }
    void SetDeviceType(int device_type) override { m_store.SetDevice(device_type); }

private:
    ConfigStore& m_store;
};

} // namespace corvane
