#include "tarnui/platform/CString.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwctype>

namespace tarn {

long long FormatArg::AsSigned() const
{
    switch (m_kind) {
    case Kind::Signed: return m_int;
    case Kind::Unsigned: return static_cast<long long>(m_uint);
    case Kind::Real: return static_cast<long long>(m_real);
    default: return 0;
    }
}

unsigned long long FormatArg::AsUnsigned() const
{
    switch (m_kind) {
    case Kind::Signed: return static_cast<unsigned long long>(m_int);
    case Kind::Unsigned: return m_uint;
    case Kind::Real: return static_cast<unsigned long long>(m_real);
    default: return 0;
    }
}

double FormatArg::AsReal() const
{
    switch (m_kind) {
    case Kind::Signed: return static_cast<double>(m_int);
    case Kind::Unsigned: return static_cast<double>(m_uint);
    case Kind::Real: return m_real;
    default: return 0;
    }
}

CString::CString(const wchar_t* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString CString::FromUtf8(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        uint32_t cp = 0;
        size_t extra = 0;
        uint32_t min = 0;
        if (b0 < 0x80) { cp = b0; }
        else if ((b0 & 0xE0) == 0xC0) { cp = b0 & 0x1Fu; extra = 1; min = 0x80; }
        else if ((b0 & 0xF0) == 0xE0) { cp = b0 & 0x0Fu; extra = 2; min = 0x800; }
        else if ((b0 & 0xF8) == 0xF0) { cp = b0 & 0x07u; extra = 3; min = 0x10000; }
        else { out += L'\uFFFD'; ++i; continue; }
        size_t k = 1;
        for (; k <= extra; ++k) {
            if (i + k >= utf8.size())
                break;
            const auto b = static_cast<unsigned char>(utf8[i + k]);
            if ((b & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (b & 0x3Fu);
        }
        if (k <= extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += L'\uFFFD';
            i += std::max<size_t>(1, k);
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i += extra + 1;
    }
    return CString(std::move(out));
}

std::string CString::ToUtf8() const
{
    std::string out;
    out.reserve(m_text.size());
    for (wchar_t wc : m_text) {
        auto cp = static_cast<uint32_t>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

namespace {

struct Field {
    bool left = false, zero = false, plus = false, space = false, alt = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::wstring& out, std::wstring_view body, const Field& field, size_t signLength = 0)
{
    const size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
    if (body.size() >= width) {
        out += body;
    } else if (field.left) {
        out += body;
        out.append(width - body.size(), L' ');
    } else if (field.zero) {
        out += body.substr(0, signLength);
        out.append(width - body.size(), L'0');
        out += body.substr(signLength);
    } else {
        out.append(width - body.size(), L' ');
        out += body;
    }
}

void Integer(std::wstring& out, const FormatArg& arg, wchar_t conv, Field field)
{
    bool negative = false;
    unsigned long long magnitude = 0;
    if (conv == L'd' || conv == L'i') {
        const long long v = arg.AsSigned();
        negative = v < 0;
        magnitude = negative ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    } else {
        magnitude = arg.AsUnsigned();
    }
    const unsigned base = (conv == L'x' || conv == L'X') ? 16u : conv == L'o' ? 8u : 10u;
    const wchar_t* digits = conv == L'X' ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring number;
    for (unsigned long long m = magnitude; m != 0; m /= base)
        number.insert(number.begin(), digits[m % base]);
    if (field.precision >= 0) {
        field.zero = false;
        if (number.size() < static_cast<size_t>(field.precision))
            number.insert(0, static_cast<size_t>(field.precision) - number.size(), L'0');
    } else if (number.empty()) {
        number = L"0";
    }
    std::wstring prefix;
    if (negative) prefix = L"-";
    else if (field.plus && base == 10 && (conv == L'd' || conv == L'i')) prefix = L"+";
    else if (field.space && (conv == L'd' || conv == L'i')) prefix = L" ";
    if (field.alt && magnitude != 0 && base == 16) prefix += conv == L'X' ? L"0X" : L"0x";
    if (field.alt && base == 8 && number[0] != L'0') prefix += L"0";
    Pad(out, prefix + number, field, prefix.size());
}

void Real(std::wstring& out, const FormatArg& arg, wchar_t conv, const Field& field)
{
    std::string fmt = "%";
    if (field.plus) fmt += '+';
    if (field.space) fmt += ' ';
    if (field.alt) fmt += '#';
    fmt += '.';
    fmt += std::to_string(field.precision >= 0 ? field.precision : 6);
    fmt += static_cast<char>(conv);
    char buffer[512];
    const double v = arg.AsReal();
    // Huge values with %f would need hundreds of digits; %g-style output stays readable.
    const bool tooWide = std::fabs(v) > 1e100 && (conv == L'f' || conv == L'F');
    // The format is assembled above from known pieces only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int n = std::snprintf(buffer, sizeof buffer, tooWide ? "%g" : fmt.c_str(), v);
#pragma GCC diagnostic pop
    std::wstring body;
    for (int i = 0; i < n && i < static_cast<int>(sizeof buffer) - 1; ++i)
        body += static_cast<wchar_t>(static_cast<unsigned char>(buffer[i]));
    const size_t signLength = (!body.empty() && (body[0] == L'-' || body[0] == L'+' || body[0] == L' ')) ? 1 : 0;
    Pad(out, body, field, signLength);
}

} // namespace

CString CString::FormatList(std::wstring_view format, const FormatArg* args, size_t count)
{
    std::wstring out;
    size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c != L'%') {
            out += c;
            continue;
        }
        const size_t start = i++;
        Field field;
        for (; i < format.size(); ++i) {
            const wchar_t f = format[i];
            if (f == L'-') field.left = true;
            else if (f == L'0') field.zero = true;
            else if (f == L'+') field.plus = true;
            else if (f == L' ') field.space = true;
            else if (f == L'#') field.alt = true;
            else break;
        }
        auto number = [&](int& target) {
            if (i < format.size() && format[i] == L'*') {
                const FormatArg* a = take();
                target = a ? static_cast<int>(std::clamp<long long>(a->AsSigned(), -4096, 4096)) : 0;
                ++i;
                return;
            }
            int v = 0;
            while (i < format.size() && format[i] >= L'0' && format[i] <= L'9') {
                v = std::min(4096, v * 10 + (format[i] - L'0'));
                ++i;
            }
            target = v;
        };
        number(field.width);
        if (field.width < 0) {
            field.left = true;
            field.width = -field.width;
        }
        if (i < format.size() && format[i] == L'.') {
            ++i;
            number(field.precision);
            if (field.precision < 0)
                field.precision = -1;
        }
        // Length modifiers carry no meaning here: every argument knows its own width.
        while (i < format.size() && (format[i] == L'l' || format[i] == L'h' || format[i] == L'I'
                                     || format[i] == L'z' || format[i] == L'j' || format[i] == L'L'
                                     || format[i] == L'6' || format[i] == L'4' || format[i] == L'3' || format[i] == L'2'))
            ++i;
        if (i >= format.size()) {
            out += format.substr(start);
            break;
        }
        const wchar_t conv = format[i];
        if (conv == L'%') {
            out += L'%';
            continue;
        }
        if (std::wstring_view(L"diuxXofFeEgGcsS").find(conv) == std::wstring_view::npos) {
            out += format.substr(start, i - start + 1);
            continue;
        }
        const FormatArg* arg = take();
        static const FormatArg none(0);
        const FormatArg& a = arg ? *arg : none;
        switch (conv) {
        case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
            Integer(out, a, conv, field);
            break;
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
            Real(out, a, conv, field);
            break;
        case L'c': {
            const auto cp = static_cast<wchar_t>(a.AsUnsigned());
            Pad(out, std::wstring(1, cp), field);
            break;
        }
        case L's': case L'S': {
            std::wstring text;
            if (a.kind() == FormatArg::Kind::Text) text = a.AsText();
            else if (a.kind() == FormatArg::Kind::Narrow) text = FromUtf8(a.AsNarrow()).m_text;
            if (field.precision >= 0 && text.size() > static_cast<size_t>(field.precision))
                text.resize(static_cast<size_t>(field.precision));
            Pad(out, text, field);
            break;
        }
        default:
            break;
        }
    }
    return CString(std::move(out));
}

wchar_t CString::GetAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_text.size())
        return 0;
    return m_text[static_cast<size_t>(index)];
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return {};
    return CString(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return {};
    const size_t n = std::min(m_text.size(), static_cast<size_t>(count));
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count <= 0 || static_cast<size_t>(first) >= m_text.size())
        return {};
    return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(std::wstring_view sub, int start) const
{
    if (start < 0)
        start = 0;
    if (static_cast<size_t>(start) > m_text.size())
        return -1;
    const size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(wchar_t ch, int start) const
{
    return Find(std::wstring_view(&ch, 1), start);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(std::wstring_view from, std::wstring_view to)
{
    if (from.empty())
        return 0;
    int count = 0;
    size_t at = 0;
    while ((at = m_text.find(from, at)) != std::wstring::npos) {
        m_text.replace(at, from.size(), to);
        at += to.size();
        ++count;
    }
    return count;
}

CString& CString::MakeUpper()
{
    for (wchar_t& c : m_text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (wchar_t& c : m_text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::Trim()
{
    auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    while (!m_text.empty() && blank(m_text.back()))
        m_text.pop_back();
    size_t i = 0;
    while (i < m_text.size() && blank(m_text[i]))
        ++i;
    m_text.erase(0, i);
    return *this;
}

int CString::Compare(std::wstring_view other) const
{
    const int r = std::wstring_view(m_text).compare(other);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(std::wstring_view other) const
{
    CString a(m_text), b(other);
    return a.MakeLower().Compare(b.MakeLower().m_text);
}

} // namespace tarn
