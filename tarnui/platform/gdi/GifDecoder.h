#pragma once

#include "tarnui/platform/gdi/DecodedImage.h"

namespace tarn {

// GIF 87a/89a: every frame composed onto the logical screen with its disposal, transparency
// and interlacing. A stream cut short keeps the frames decoded so far; false when it holds no
// frame at all or breaks a limit.
bool DecodeGif(const uint8_t* data, size_t size, DecodedImage* out);

} // namespace tarn
