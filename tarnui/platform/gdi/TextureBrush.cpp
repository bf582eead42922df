#include "tarnui/platform/gdiplus/TextureBrush.h"

#include "tarnui/platform/gdi/ImageData.h"

namespace tarn::gp {

// The brush keeps its own copy, so later drawing on the image does not change it.
TextureBrush::TextureBrush(const Image* image, WrapMode wrap) : Brush(BrushType::Texture), m_wrap(wrap)
{
    if (image) {
        m_data = image->Data()->Copy();
        m_frame = image->GetActiveFrame();
    }
}

TextureBrush::~TextureBrush() = default;

} // namespace tarn::gp
