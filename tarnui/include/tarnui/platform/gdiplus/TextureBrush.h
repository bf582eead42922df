#pragma once

#include "tarnui/platform/gdiplus/Brush.h"
#include "tarnui/platform/gdiplus/Image.h"

namespace tarn::gp {

// Repeats a picture (its active frame) from the drawing surface's origin.
class TARN_API TextureBrush final : public Brush {
public:
    explicit TextureBrush(const Image* image, WrapMode wrap = WrapModeTile);
    ~TextureBrush() override;

    const std::shared_ptr<ImageData>& Data() const { return m_data; }
    UINT Frame() const { return m_frame; }
    WrapMode GetWrapMode() const { return m_wrap; }
    // False when made from no image.
    bool IsValid() const { return m_data != nullptr; }

private:
    std::shared_ptr<ImageData> m_data;
    UINT m_frame = 0;
    WrapMode m_wrap;
};

} // namespace tarn::gp
