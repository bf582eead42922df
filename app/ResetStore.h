#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// The store operations a factory reset needs.
class ResetStore {
public:
    virtual ~ResetStore() = default;
    virtual bool IsOpen() = 0;
    virtual void Close() = 0;
    virtual bool DeleteDatabaseFile(const tarn::CString& modelName) = 0;
    // Opens the model's database, creating it with its defaults when it is new.
    virtual bool OpenForDevice(const tarn::CString& modelName) = 0;
};

} // namespace corvane
