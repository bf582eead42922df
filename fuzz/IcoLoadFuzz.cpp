// ICO decoding through the image loader: directory, BMP entries with masks and PNG entries.
#include "tarnui/platform/gdiplus/Image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = tarn::gp::Image::FromStream(data, size);
    if (image)
        image->Clone();
    return 0;
}
