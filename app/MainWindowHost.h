#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>

namespace corvane {

class Language;

// What the start sequence hands to the main window.
struct ProcessContext {
    tarn::CString deviceName;
    std::filesystem::path programDir;
    std::filesystem::path dataFolder; // ends in a separator; the database folder is its "db"
    Language* language = nullptr;
};

// The window half of the start: bringing the running instance forward, and the main window's
// whole life.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    virtual void ActivateFirstInstance(const tarn::CString& deviceName) = 0;
    // Returns when the main window's modal loop has ended.
    virtual void RunMainWindow(ProcessContext& context) = 0;
};

} // namespace corvane
