#pragma once

#include <filesystem>

namespace corvane {

// The folder of the running executable, where config.xml, the layouts and the language files lie.
// Falls back to the current folder when /proc cannot tell.
std::filesystem::path ProgramFolder();

} // namespace corvane
