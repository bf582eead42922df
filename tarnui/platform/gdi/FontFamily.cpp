#include "tarnui/platform/gdiplus/FontFamily.h"

#include "tarnui/platform/CString.h"
#include "tarnui/platform/gdi/FontSystem.h"
#include "tarnui/platform/gdiplus/PrivateFontCollection.h"

#include <algorithm>

namespace tarn::gp {

FontFamily::FontFamily(const wchar_t* name, const PrivateFontCollection* collection)
{
    if (!name || !*name) {
        m_status = InvalidParameter;
        return;
    }
    if (collection) {
        if (const FontFamily* found = collection->Find(name))
            *this = *found;
        return;
    }
    m_name = name;
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    m_status = system.HasFamily(CString(name).ToUtf8()) ? Ok : FontFamilyNotFound;
}

std::unique_ptr<FontFamily> FontFamily::FromName(const wchar_t* name)
{
    auto family = std::make_unique<FontFamily>(name);
    return family->IsAvailable() ? std::move(family) : nullptr;
}

Status FontFamily::GetFamilyName(wchar_t name[LF_FACESIZE]) const
{
    if (!name)
        return InvalidParameter;
    const size_t n = std::min<size_t>(m_name.size(), LF_FACESIZE - 1);
    std::copy_n(m_name.begin(), n, name);
    name[n] = 0;
    return Ok;
}

} // namespace tarn::gp
