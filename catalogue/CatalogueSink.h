#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// Where the catalogue's contents go while it is read: the device list, the device link's table
// of known modes, and the home page's texts.
class CatalogueSink {
public:
    virtual ~CatalogueSink() = default;
    // Called as AddDevice(name, 0, 0, device_type, false) for every keyboard model.
    virtual void AddDevice(const tarn::CString& name, int image, int state, int device_type, bool known) = 0;
    virtual void AddModel(int vid, int pid, const tarn::CString& product_name, int device_type, int mode,
                          const tarn::CString& hid_interface) = 0;
    // "Ver: <version>".
    virtual void SetVersionText(const tarn::CString& text) = 0;
    virtual void SetCopyrightText(const tarn::CString& text) = 0;
};

} // namespace corvane
