#pragma once

#include "tarnui/platform/gdiplus/Color.h"
#include "tarnui/platform/gdiplus/Image.h"

namespace tarn::gp {

// An image that can be made blank and read or written pixel by pixel.
class TARN_API Bitmap final : public Image {
public:
    // A transparent bitmap; an invalid size gives an empty one (0 x 0).
    Bitmap(INT width, INT height);

    // Pixels of the active frame, straight colours.
    Status GetPixel(INT x, INT y, Color* color) const;
    Status SetPixel(INT x, INT y, const Color& color);

private:
    friend class Image;
    explicit Bitmap(std::shared_ptr<ImageData> data) : Image(std::move(data)) {}
};

} // namespace tarn::gp
