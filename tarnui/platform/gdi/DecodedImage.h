#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

// What the codecs produce: equal-sized frames of premultiplied ARGB pixels, row by row, and
// each frame's delay in milliseconds.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::vector<uint32_t>> frames;
    std::vector<int> delays;
};

// Limits every decoder applies before allocating, so a hostile header cannot exhaust memory.
inline constexpr int kMaxImageSide = 16384;
inline constexpr long long kMaxImagePixels = 1LL << 24;
inline constexpr long long kMaxTotalPixels = 1LL << 25;

inline uint32_t Premultiply(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    if (a == 255)
        return 0xFF000000u | r << 16 | g << 8 | b;
    auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | mul(r) << 16 | mul(g) << 8 | mul(b);
}

} // namespace tarn
