// GIF decoding through the image loader: every frame composed, no read outside the input.
#include "tarnui/platform/gdiplus/Image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = tarn::gp::Image::FromStream(data, size);
    if (image) {
        for (unsigned i = 0; i < image->GetFrameCount(); ++i)
            image->SelectActiveFrame(i);
    }
    return 0;
}
