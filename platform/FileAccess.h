#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace corvane {

// Small whole-file reads with a size bound, and writes that never leave a half-written file.
class FileAccess {
public:
    enum class ReadResult { Ok, Missing, Failed };

    // Reads at most maxBytes; a longer file is cut there. Missing means nothing is at the path.
    static ReadResult Read(const std::filesystem::path& path, std::size_t maxBytes, std::string& out);
    // Writes a temporary file beside the target and renames it over the target.
    static bool WriteAtomically(const std::filesystem::path& path, const std::string& content);
};

} // namespace corvane
