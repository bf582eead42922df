#pragma once

#include <string>
#include <string_view>

namespace corvane {

// UTF-8 text for an attribute value or element text. Escapes the five markup characters, writes
// tab, line feed and carriage return as character references so they survive attribute-value
// normalisation, and drops what XML 1.0 cannot hold (other controls, U+FFFE, U+FFFF, surrogates).
std::string XmlEscape(std::wstring_view text);

} // namespace corvane
