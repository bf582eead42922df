#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/gdiplus/GdiplusTypes.h"

#include <memory>
#include <string>

namespace tarn::gp {

class PrivateFontCollection;

// A font family that exists: one installed on the system or held by a private collection.
// Unlike GDI there is no substitution: a family that is not there stays unavailable.
class TARN_API FontFamily {
public:
    FontFamily() = default;
    // FontFamilyNotFound (and IsAvailable false) when neither the collection (if given) nor the
    // system has the family.
    explicit FontFamily(const wchar_t* name, const PrivateFontCollection* collection = nullptr);

    // Null when the system does not have the family.
    static std::unique_ptr<FontFamily> FromName(const wchar_t* name);

    bool IsAvailable() const { return m_status == Ok; }
    Status GetLastStatus() const { return m_status; }
    Status GetFamilyName(wchar_t name[LF_FACESIZE]) const;
    const std::wstring& Name() const { return m_name; }
    // The weight (100..1000) and slant of the face a private collection holds, so a Semibold
    // file draws Semibold even where the family's Regular face is installed too.
    int FaceWeight() const { return m_weight; }
    bool FaceItalic() const { return m_italic; }

private:
    friend class PrivateFontCollection;

    std::wstring m_name;
    int m_weight = 400;
    bool m_italic = false;
    Status m_status = FontFamilyNotFound;
};

} // namespace tarn::gp
