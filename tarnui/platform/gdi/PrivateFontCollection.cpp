#include "tarnui/platform/gdiplus/PrivateFontCollection.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/gdi/FontSystem.h"

#include <cwctype>
#include <sys/stat.h>

namespace tarn::gp {

namespace {

bool SameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i])))
            return false;
    }
    return true;
}

} // namespace

PrivateFontCollection::~PrivateFontCollection()
{
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    for (int token : m_tokens)
        system.Remove(token);
}

void PrivateFontCollection::AddFaces(const std::vector<FaceInfo>& faces)
{
    for (const FaceInfo& face : faces) {
        const std::wstring name = CString::FromUtf8(face.family).GetString();
        if (Find(name))
            continue;
        FontFamily family;
        family.m_name = name;
        family.m_weight = face.weight;
        family.m_italic = face.italic;
        family.m_status = Ok;
        m_families.push_back(family);
    }
}

Status PrivateFontCollection::AddFontFile(const wchar_t* path)
{
    if (!path || !*path)
        return InvalidParameter;
    std::string name = CString(path).ToUtf8();
    for (char& c : name)
        if (c == '\\')
            c = '/';
    struct stat info {};
    if (stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileNotFound;
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    std::vector<FaceInfo> faces;
    const int token = system.AddFile(name, &faces);
    if (!token)
        return FileNotFound;
    m_tokens.push_back(token);
    AddFaces(faces);
    return Ok;
}

Status PrivateFontCollection::AddMemoryFont(const void* data, INT size)
{
    if (!data || size <= 0)
        return InvalidParameter;
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    std::vector<FaceInfo> faces;
    const int token = system.AddMemory(data, static_cast<size_t>(size), &faces);
    if (!token)
        return InvalidParameter;
    m_tokens.push_back(token);
    AddFaces(faces);
    return Ok;
}

Status PrivateFontCollection::GetFamilies(INT wanted, FontFamily* families, INT* found) const
{
    if (!families || !found || wanted < 0)
        return InvalidParameter;
    INT n = 0;
    for (; n < wanted && n < GetFamilyCount(); ++n)
        families[n] = m_families[static_cast<size_t>(n)];
    *found = n;
    return Ok;
}

const FontFamily* PrivateFontCollection::Find(const std::wstring& name) const
{
    for (const FontFamily& f : m_families) {
        if (SameName(f.Name(), name))
            return &f;
    }
    return nullptr;
}

} // namespace tarn::gp
