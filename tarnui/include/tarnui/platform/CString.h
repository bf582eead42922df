#pragma once

#include "tarnui/platform/Export.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// One argument of CString::Format. Built implicitly from the types the formats use, so a
// mismatch between a conversion and its argument is rendered, never undefined behaviour.
class TARN_API FormatArg {
public:
    enum class Kind { Signed, Unsigned, Real, Text, Narrow };

    FormatArg(int v) : m_kind(Kind::Signed), m_int(v) {}
    FormatArg(long v) : m_kind(Kind::Signed), m_int(v) {}
    FormatArg(long long v) : m_kind(Kind::Signed), m_int(v) {}
    FormatArg(unsigned v) : m_kind(Kind::Unsigned), m_uint(v) {}
    FormatArg(unsigned long v) : m_kind(Kind::Unsigned), m_uint(v) {}
    FormatArg(unsigned long long v) : m_kind(Kind::Unsigned), m_uint(v) {}
    FormatArg(double v) : m_kind(Kind::Real), m_real(v) {}
    FormatArg(wchar_t v) : m_kind(Kind::Unsigned), m_uint(static_cast<uint32_t>(v)) {}
    FormatArg(const wchar_t* v) : m_kind(Kind::Text), m_text(v ? v : L"") {}
    FormatArg(std::wstring_view v) : m_kind(Kind::Text), m_text(v) {}
    FormatArg(const std::wstring& v) : m_kind(Kind::Text), m_text(v) {}
    FormatArg(const char* v) : m_kind(Kind::Narrow), m_narrow(v ? v : "") {}

    Kind kind() const { return m_kind; }
    long long AsSigned() const;
    unsigned long long AsUnsigned() const;
    double AsReal() const;
    std::wstring_view AsText() const { return m_text; }
    std::string_view AsNarrow() const { return m_narrow; }

private:
    Kind m_kind;
    long long m_int = 0;
    unsigned long long m_uint = 0;
    double m_real = 0;
    std::wstring_view m_text;
    std::string_view m_narrow;
};

// Wide text as the program's Windows heritage uses it. wchar_t is 32-bit here, so lengths and
// positions count code points.
class TARN_API CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(const wchar_t* text, int length);
    CString(std::wstring_view text) : m_text(text) {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    // UTF-8 conversion. Invalid bytes become U+FFFD; surrogate code points are written as U+FFFD.
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    // printf-style formatting with the conversions the program uses: %s (wide or narrow text),
    // %c, %d, %i, %u, %x, %X, %o, %f, %%, with flags "-0+ #", width, precision and "*" for both.
    template <typename... Args>
    static CString Formatted(std::wstring_view format, const Args&... args)
    {
        const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
        return FormatList(format, list, sizeof...(Args));
    }
    template <typename... Args>
    void Format(std::wstring_view format, const Args&... args) { *this = Formatted(format, args...); }
    template <typename... Args>
    void AppendFormat(std::wstring_view format, const Args&... args) { m_text += Formatted(format, args...).m_text; }
    static CString FormatList(std::wstring_view format, const FormatArg* args, size_t count);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }
    std::wstring_view view() const { return m_text; }

    // Out-of-range positions read as 0, as an index past the end reads the terminator.
    wchar_t GetAt(int index) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    // -1 when absent; a start past the end finds nothing.
    int Find(std::wstring_view sub, int start = 0) const;
    int Find(wchar_t ch, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    // Replaces every occurrence and answers how many there were.
    int Replace(std::wstring_view from, std::wstring_view to);
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    int Compare(std::wstring_view other) const;
    int CompareNoCase(std::wstring_view other) const;

    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const wchar_t* other) { m_text += other ? other : L""; return *this; }
    CString& operator+=(wchar_t ch) { m_text += ch; return *this; }
    friend CString operator+(CString a, const CString& b) { a += b; return a; }
    friend CString operator+(CString a, const wchar_t* b) { a += b; return a; }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }
    friend auto operator<=>(const CString& a, const CString& b) { return a.m_text <=> b.m_text; }

private:
    std::wstring m_text;
};

} // namespace tarn
