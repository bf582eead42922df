#include "xml/XmlDocument.h"

#include "xml/XmlEscape.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace corvane {

struct XmlDocument::State {
    pugi::xml_document doc;
    pugi::xml_node parent; // the current level
    pugi::xml_node pos;    // null: before the first child of the level
    std::string declaration;

    void Reset()
    {
        doc.reset();
        parent = doc;
        pos = pugi::xml_node();
    }
};

XmlDocument::XmlDocument() : m(std::make_unique<State>())
{
    m->Reset();
}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::Load(const std::filesystem::path& path)
{
    m->Reset();
    m->declaration.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<std::byte> data;
    char chunk[65536];
    while (in) {
        in.read(chunk, sizeof chunk);
        const auto got = static_cast<size_t>(in.gcount());
        if (data.size() + got > MaxFileSize)
            return false;
        const auto* first = reinterpret_cast<const std::byte*>(chunk);
        data.insert(data.end(), first, first + got);
    }
    if (in.bad())
        return false;
    return LoadFromMemory(data);
}

namespace {

// The parser accepts an element that names one attribute twice; XML does not.
bool HasUniqueAttributes(const pugi::xml_node& root)
{
    struct Walker : pugi::xml_tree_walker {
        bool unique = true;
        std::vector<std::string_view> names;
        bool for_each(pugi::xml_node& node) override
        {
            names.clear();
            for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
                names.emplace_back(a.name());
            std::sort(names.begin(), names.end());
            unique = std::adjacent_find(names.begin(), names.end()) == names.end();
            return unique;
        }
    } walker;
    const_cast<pugi::xml_node&>(root).traverse(walker);
    return walker.unique;
}

} // namespace

bool XmlDocument::LoadFromMemory(std::span<const std::byte> data)
{
    m->Reset();
    m->declaration.clear();
    if (data.size() > MaxFileSize)
        return false;
    // No parse_doctype: a DTD is skipped, never interpreted, and only the predefined and numeric
    // references are replaced.
    constexpr unsigned flags = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_eol;
    const pugi::xml_parse_result result = m->doc.load_buffer(data.data(), data.size(), flags, pugi::encoding_auto);
    int roots = 0;
    if (result && HasUniqueAttributes(m->doc)) {
        for (pugi::xml_node n = m->doc.first_child(); n; n = n.next_sibling())
            roots += n.type() == pugi::node_element ? 1 : 0;
    }
    if (roots != 1) {
        m->Reset();
        return false;
    }
    return true;
}

bool XmlDocument::FindElem(std::string_view name)
{
    pugi::xml_node n = m->pos ? m->pos.next_sibling() : m->parent.first_child();
    for (; n; n = n.next_sibling()) {
        if (n.type() == pugi::node_element && name == n.name()) {
            m->pos = n;
            return true;
        }
    }
    return false;
}

bool XmlDocument::IntoElem()
{
    if (!m->pos)
        return false;
    m->parent = m->pos;
    m->pos = pugi::xml_node();
    return true;
}

bool XmlDocument::OutOfElem()
{
    if (m->parent == m->doc)
        return false;
    m->pos = m->parent;
    m->parent = m->parent.parent();
    return true;
}

void XmlDocument::ResetPos()
{
    m->parent = m->doc;
    m->pos = pugi::xml_node();
}

tarn::CString XmlDocument::GetTagName() const
{
    return m->pos ? tarn::CString::FromUtf8(m->pos.name()) : tarn::CString();
}

tarn::CString XmlDocument::GetAttrib(std::string_view name) const
{
    if (!m->pos)
        return {};
    for (pugi::xml_attribute a = m->pos.first_attribute(); a; a = a.next_attribute()) {
        if (name == a.name())
            return tarn::CString::FromUtf8(a.value());
    }
    return {};
}

void XmlDocument::SetDoc(std::string_view declaration)
{
    m->Reset();
    m->declaration = declaration;
}

bool XmlDocument::AddElem(std::string_view name)
{
    if (name.empty())
        return false;
    const std::string owned(name);
    pugi::xml_node added = m->pos ? m->parent.insert_child_after(pugi::node_element, m->pos)
                                  : m->parent.append_child(pugi::node_element);
    if (!added)
        return false;
    added.set_name(owned.c_str());
    m->pos = added;
    return true;
}

bool XmlDocument::SetAttrib(std::string_view name, const tarn::CString& value)
{
    if (!m->pos || name.empty())
        return false;
    const std::string owned(name);
    pugi::xml_attribute a = m->pos.attribute(owned.c_str());
    if (!a)
        a = m->pos.append_attribute(owned.c_str());
    return a.set_value(value.ToUtf8().c_str());
}

bool XmlDocument::SetAttrib(std::string_view name, int value)
{
    return SetAttrib(name, tarn::CString::Formatted(L"%d", value));
}

namespace {

void WriteNode(std::string& out, pugi::xml_node node, int depth)
{
    for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            out.append(static_cast<size_t>(depth), '\t');
            out += XmlEscape(tarn::CString::FromUtf8(n.value()).view());
            out += "\r\n";
            continue;
        }
        if (n.type() != pugi::node_element)
            continue;
        out.append(static_cast<size_t>(depth), '\t');
        out += '<';
        out += n.name();
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
            out += ' ';
            out += a.name();
            out += "=\"";
            out += XmlEscape(tarn::CString::FromUtf8(a.value()).view());
            out += '"';
        }
        if (!n.first_child()) {
            out += "/>\r\n";
            continue;
        }
        out += ">\r\n";
        WriteNode(out, n, depth + 1);
        out.append(static_cast<size_t>(depth), '\t');
        out += "</";
        out += n.name();
        out += ">\r\n";
    }
}

} // namespace

std::string XmlDocument::ToText() const
{
    std::string out = m->declaration;
    WriteNode(out, m->doc, 0);
    return out;
}

bool XmlDocument::Save(const std::filesystem::path& path) const
{
    const std::string text = ToText();
    std::filesystem::path temp = path;
    temp += ".part";
    {
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        if (!f)
            return false;
        const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        const bool flushed = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!written || !flushed || !closed) {
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace corvane
