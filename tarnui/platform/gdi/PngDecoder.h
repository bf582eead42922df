#pragma once

#include "tarnui/platform/gdi/DecodedImage.h"

#include <algorithm>

namespace tarn {

inline bool IsPng(const uint8_t* data, size_t size)
{
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data && size >= 8 && std::equal(kSignature, kSignature + 8, data);
}

// One frame of premultiplied pixels; false for a broken stream or one larger than the limits.
bool DecodePng(const uint8_t* data, size_t size, DecodedImage* out);

} // namespace tarn
