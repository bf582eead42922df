#include "xml/XmlEscape.h"

#include "tarnui/platform/CString.h"

namespace corvane {

namespace {

bool Allowed(uint32_t cp)
{
    if (cp < 0x20)
        return cp == 0x9 || cp == 0xA || cp == 0xD;
    if (cp >= 0xD800 && cp <= 0xDFFF)
        return false;
    return cp != 0xFFFE && cp != 0xFFFF && cp <= 0x10FFFF;
}

} // namespace

std::string XmlEscape(std::wstring_view text)
{
    std::wstring kept;
    kept.reserve(text.size());
    std::string out;
    auto flush = [&] {
        out += tarn::CString(kept).ToUtf8();
        kept.clear();
    };
    for (wchar_t wc : text) {
        const auto cp = static_cast<uint32_t>(wc);
        const char* entity = nullptr;
        switch (cp) {
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '&': entity = "&amp;"; break;
        case '\'': entity = "&apos;"; break;
        case '"': entity = "&quot;"; break;
        case '\t': entity = "&#9;"; break;
        case '\n': entity = "&#10;"; break;
        case '\r': entity = "&#13;"; break;
        default: break;
        }
        if (entity) {
            flush();
            out += entity;
        } else if (Allowed(cp)) {
            kept += wc;
        }
    }
    flush();
    return out;
}

} // namespace corvane
