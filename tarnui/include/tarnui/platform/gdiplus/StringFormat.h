#pragma once

#include "tarnui/platform/gdiplus/GdiplusTypes.h"

namespace tarn::gp {

// How DrawString places text in its box. Trailing spaces count only with
// StringFormatFlagsMeasureTrailingSpaces; text is cut at the box unless StringFormatFlagsNoClip.
class StringFormat {
public:
    explicit StringFormat(INT flags = 0) : m_flags(flags) {}

    static StringFormat GenericDefault() { return StringFormat(); }
    static StringFormat GenericTypographic() { return StringFormat(StringFormatFlagsNoClip | StringFormatFlagsLineLimit); }

    Status SetAlignment(StringAlignment a) { m_align = a; return Ok; }
    StringAlignment GetAlignment() const { return m_align; }
    Status SetLineAlignment(StringAlignment a) { m_lineAlign = a; return Ok; }
    StringAlignment GetLineAlignment() const { return m_lineAlign; }
    Status SetFormatFlags(INT flags) { m_flags = flags; return Ok; }
    INT GetFormatFlags() const { return m_flags; }
    Status SetTrimming(StringTrimming t) { m_trimming = t; return Ok; }
    StringTrimming GetTrimming() const { return m_trimming; }

private:
    INT m_flags;
    StringAlignment m_align = StringAlignmentNear;
    StringAlignment m_lineAlign = StringAlignmentNear;
    StringTrimming m_trimming = StringTrimmingCharacter;
};

} // namespace tarn::gp
