#include "platform/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Reads arbitrary bytes as a language file: a few texts, a long cut, and the key list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const wchar_t* key : {L"1", L"65", L"167", L"701"})
        (void)corvane::IniFile::FindString(bytes, L"KB.DIALOG", key);
    (void)corvane::IniFile::FindString(bytes, L"kb.dialog", L"1", 3);
    for (const auto& key : corvane::IniFile::FindKeys(bytes, L"KB.DIALOG"))
        (void)corvane::IniFile::FindString(bytes, L"KB.DIALOG", key.view());
    return 0;
}
