#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/FontFamily.h"

#include <cstddef>
#include <vector>

namespace tarn {
struct FaceInfo;
}

namespace tarn::gp {

// Fonts from files or memory, usable by this process for as long as the collection lives.
class TARN_API PrivateFontCollection {
public:
    PrivateFontCollection() = default;
    ~PrivateFontCollection();
    PrivateFontCollection(const PrivateFontCollection&) = delete;
    PrivateFontCollection& operator=(const PrivateFontCollection&) = delete;

    // FileNotFound for a file that is missing or holds no font.
    Status AddFontFile(const wchar_t* path);
    Status AddMemoryFont(const void* data, INT size);

    INT GetFamilyCount() const { return static_cast<INT>(m_families.size()); }
    // Copies up to wanted families; found gets how many.
    Status GetFamilies(INT wanted, FontFamily* families, INT* found) const;
    const FontFamily* Find(const std::wstring& name) const;

private:
    void AddFaces(const std::vector<FaceInfo>& faces);

    std::vector<FontFamily> m_families;
    std::vector<int> m_tokens;
};

} // namespace tarn::gp
