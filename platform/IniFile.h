#pragma once

#include "tarnui/platform/CString.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Initialisation files read the Windows way, without a cache: every call reads the file again.
//  - encoding: a UTF-16LE, UTF-16BE or UTF-8 byte-order mark; without one UTF-8, or cp1252
//    when the bytes are not UTF-8;
//  - lines end at CR, LF or CRLF; a line starting with ';' is a comment;
//  - "[name]" opens a section; names and keys compare without case, the first one counts;
//  - a value is trimmed, loses one pair of matching quotes around it, ends at a NUL and is cut
//    to the length asked for.
class IniFile {
public:
    // Larger files are read only this far.
    static constexpr std::size_t MaxFileBytes = 1024 * 1024;
    // The buffer the texts are read into holds 260 characters with the terminator.
    static constexpr int MaxTextLength = 259;

    // Empty when the file, the section or the key is missing.
    static tarn::CString ReadString(const std::filesystem::path& file, std::wstring_view section,
                                    std::wstring_view key, int maxLength = MaxTextLength);
    // The keys of the section in file order.
    static std::vector<tarn::CString> ReadKeys(const std::filesystem::path& file, std::wstring_view section);

    // The same over the bytes of a file.
    static tarn::CString FindString(std::string_view bytes, std::wstring_view section, std::wstring_view key,
                                    int maxLength = MaxTextLength);
    static std::vector<tarn::CString> FindKeys(std::string_view bytes, std::wstring_view section);

    static std::wstring Decode(std::string_view bytes);
};

} // namespace corvane
