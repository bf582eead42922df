#include "platform/IniFile.h"

#include "platform/FileAccess.h"

#include <cstdint>
#include <functional>

namespace corvane {

using tarn::CString;

namespace {

// cp1252 0x80..0x9F; the five unassigned bytes map to themselves as Windows does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra;
        uint32_t cp;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1Fu; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0Fu; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07u; }
        else return false;
        if (i + extra >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3Fu);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? static_cast<uint32_t>(a << 8 | b) : static_cast<uint32_t>(b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        out += (u >= 0xD800 && u <= 0xDFFF) ? L'\xFFFD' : static_cast<wchar_t>(u);
    }
    return out;
}

std::wstring_view Trim(std::wstring_view text)
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameNoCase(std::wstring_view a, std::wstring_view b)
{
    return CString(a).CompareNoCase(b) == 0;
}

// Calls onEntry(key, value) for each entry of the first section named `section`, in order,
// until it answers false.
void ForEachEntry(std::wstring_view text, std::wstring_view section,
                  const std::function<bool(std::wstring_view, std::wstring_view)>& onEntry)
{
    bool inSection = false;
    bool seen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos)
            end = text.size();
        const std::wstring_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == L'\r' && start < text.size() && text[start] == L'\n')
            ++start;
        if (line.empty() || line.front() == L';')
            continue;
        if (line.front() == L'[') {
            if (inSection)
                return; // only the first section of that name is read
            std::wstring_view name = line.substr(1);
            name = Trim(name.substr(0, name.find(L']')));
            inSection = !seen && SameNoCase(name, section);
            seen = seen || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const std::size_t eq = line.find(L'=');
        if (eq == std::wstring_view::npos)
            continue;
        if (!onEntry(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))))
            return;
    }
}

} // namespace

std::wstring IniFile::Decode(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return DecodeUtf16(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return DecodeUtf16(bytes.substr(2), true);
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return CString::FromUtf8(bytes.substr(3)).str();
    if (IsUtf8(bytes))
        return CString::FromUtf8(bytes).str();
    std::wstring out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += (u >= 0x80 && u < 0xA0) ? static_cast<wchar_t>(Cp1252High[u - 0x80]) : static_cast<wchar_t>(u);
    }
    return out;
}

CString IniFile::FindString(std::string_view bytes, std::wstring_view section, std::wstring_view key, int maxLength)
{
    if (maxLength <= 0)
        return {};
    const std::wstring text = Decode(bytes);
    std::wstring_view found;
    bool hit = false;
    ForEachEntry(text, section, [&](std::wstring_view k, std::wstring_view v) {
        if (!SameNoCase(k, key))
            return true;
        found = v;
        hit = true;
        return false;
    });
    if (!hit)
        return {};
    found = found.substr(0, found.find(L'\0'));
    if (found.size() >= 2 && (found.front() == L'"' || found.front() == L'\'') && found.back() == found.front())
        found = found.substr(1, found.size() - 2);
    return CString(found.substr(0, static_cast<std::size_t>(maxLength)));
}

std::vector<CString> IniFile::FindKeys(std::string_view bytes, std::wstring_view section)
{
    const std::wstring text = Decode(bytes);
    std::vector<CString> keys;
    ForEachEntry(text, section, [&](std::wstring_view k, std::wstring_view) {
        keys.emplace_back(k);
        return true;
    });
    return keys;
}

CString IniFile::ReadString(const std::filesystem::path& file, std::wstring_view section, std::wstring_view key,
                            int maxLength)
{
    std::string bytes;
    if (FileAccess::Read(file, MaxFileBytes, bytes) != FileAccess::ReadResult::Ok)
        return {};
    return FindString(bytes, section, key, maxLength);
}

std::vector<CString> IniFile::ReadKeys(const std::filesystem::path& file, std::wstring_view section)
{
    std::string bytes;
    if (FileAccess::Read(file, MaxFileBytes, bytes) != FileAccess::ReadResult::Ok)
        return {};
    return FindKeys(bytes, section);
}

} // namespace corvane
