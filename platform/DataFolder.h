#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>

namespace corvane {

// The per-user data folder, "<data home>/<device name> Files/", parent of "db" and "temp".
class DataFolder {
public:
    static std::filesystem::path ForDevice(const std::filesystem::path& dataHome, const tarn::CString& deviceName);
    // Creates the path one level at a time; a level that exists already is no error, and a
    // level that cannot be made does not stop the attempt at the next. True when the whole
    // path is a folder at the end.
    static bool CreateLevels(const std::filesystem::path& path);
};

} // namespace corvane
