#include "tarnui/platform/gdi/FontObject.h"

#include "tarnui/platform/CString.h"

#include <algorithm>
#include <cstdlib>

namespace tarn {

FontObject::FontObject(const LOGFONTW& lf) : GdiObject(GdiKind::Font), logFont(lf)
{
    logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    description = pango_font_description_new();
    std::wstring face(logFont.lfFaceName);
    std::string family = face.empty() ? std::string("Sans") : CString(face.c_str()).ToUtf8();
    pango_font_description_set_family(description, family.c_str());
    // A negative height is the em height, a positive one the cell height; both are taken as the
    // pixel size, which keeps text of either kind within its line.
    const int px = logFont.lfHeight == 0 ? 12 : std::min(std::abs(logFont.lfHeight), 2000);
    pango_font_description_set_absolute_size(description, px * PANGO_SCALE);
    const int weight = logFont.lfWeight <= 0 ? FW_NORMAL : std::clamp<int>(logFont.lfWeight, 100, 1000);
    pango_font_description_set_weight(description, static_cast<PangoWeight>(weight));
    pango_font_description_set_style(description, logFont.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
}

FontObject::~FontObject()
{
    pango_font_description_free(description);
}

LOGFONTW FontObject::DefaultGuiFont()
{
    LOGFONTW lf;
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const wchar_t face[] = L"Sans";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    return lf;
}

} // namespace tarn
