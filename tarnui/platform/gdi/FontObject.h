#pragma once

#include "tarnui/platform/gdi/GdiObject.h"

#include <pango/pango.h>

namespace tarn {

// A GDI font: the LOGFONT it was made from and the Pango description it draws with. The
// family is a request: fontconfig substitutes one that is installed, as GDI does.
struct FontObject final : GdiObject {
    explicit FontObject(const LOGFONTW& lf);
    ~FontObject() override;

    static LOGFONTW DefaultGuiFont();

    LOGFONTW logFont;
    PangoFontDescription* description = nullptr;
};

} // namespace tarn
