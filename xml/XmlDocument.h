#pragma once

#include "tarnui/platform/CString.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// An XML document with a cursor, the way the program's files are read and written: a position
// among the siblings of the current level, searches that run forward from that position, and
// entering and leaving elements. Reading never processes a DTD, loads or expands entities, and
// refuses files above MaxFileSize.
class XmlDocument {
public:
    static constexpr size_t MaxFileSize = 16u * 1024u * 1024u;

    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // UTF-8 with or without byte-order mark, UTF-16 in either byte order. False for an unreadable
    // or oversized file, malformed text, or a document without exactly one root element; the
    // document is then empty.
    [[nodiscard]] bool Load(const std::filesystem::path& path);
    [[nodiscard]] bool LoadFromMemory(std::span<const std::byte> data);

    // Moves to the next sibling element called `name` after the current position; without a
    // position the search starts at the first child of the current level. A failed search keeps
    // the position.
    bool FindElem(std::string_view name);
    // Makes the element at the position the current level, with no position inside it.
    bool IntoElem();
    // Returns to the parent level with the element just left as the position.
    bool OutOfElem();
    // Back to the top level with no position.
    void ResetPos();
    tarn::CString GetTagName() const;
    // Empty when there is no position or the attribute is absent.
    tarn::CString GetAttrib(std::string_view name) const;

    // Starts a new, empty document that is saved beginning with `declaration` as it stands.
    void SetDoc(std::string_view declaration);
    // Adds an element after the position at the current level and moves to it.
    bool AddElem(std::string_view name);
    // Adds or replaces an attribute of the element at the position; new ones go last.
    bool SetAttrib(std::string_view name, const tarn::CString& value);
    bool SetAttrib(std::string_view name, int value);

    // The declaration and the elements in UTF-8, one element a line.
    std::string ToText() const;
    // Writes through a temporary file in the same folder that replaces the target only once it
    // is complete, so a failed save keeps the old file.
    [[nodiscard]] bool Save(const std::filesystem::path& path) const;

private:
    struct State;
    std::unique_ptr<State> m;
};

} // namespace corvane
