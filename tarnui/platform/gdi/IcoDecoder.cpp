#include "tarnui/platform/gdi/IcoDecoder.h"

#include "tarnui/platform/gdi/PngDecoder.h"

#include <array>
#include <cstdlib>

namespace tarn {

namespace {

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

int Le16(const uint8_t* p)
{
    return p[0] | p[1] << 8;
}

// A DIB as icons store it: a BITMAPINFOHEADER whose height counts the colour rows and the
// mask rows, a palette for up to 8 bits, the colour rows bottom-up, then the 1-bit AND mask.
bool DecodeDib(const uint8_t* data, size_t size, DecodedImage* out)
{
    if (size < 40)
        return false;
    const uint32_t header = Le32(data);
    const auto width = static_cast<int32_t>(Le32(data + 4));
    const auto fullHeight = static_cast<int32_t>(Le32(data + 8));
    const int bits = Le16(data + 14);
    const uint32_t compression = Le32(data + 16);
    uint32_t used = Le32(data + 32);
    if (header < 40 || header > size || width <= 0 || width > 1024 || fullHeight <= 0 || fullHeight > 2048 ||
        compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    const int height = fullHeight / 2;
    if (height <= 0)
        return false;
    size_t pos = header;
    std::array<uint32_t, 256> palette{};
    if (bits <= 8) {
        const uint32_t max = 1u << bits;
        if (used == 0 || used > max)
            used = max;
        if (size - pos < used * 4)
            return false;
        for (uint32_t i = 0; i < used; ++i)
            palette[i] = Le32(data + pos + i * 4) & 0xFFFFFF;
        pos += used * 4;
    }
    const size_t stride = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
    const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
    const size_t colourBytes = stride * static_cast<size_t>(height);
    if (size - pos < colourBytes)
        return false;
    const uint8_t* colour = data + pos;
    // Some writers leave the mask out; the picture is then opaque.
    const uint8_t* mask = size - pos - colourBytes >= maskStride * static_cast<size_t>(height) ? colour + colourBytes : nullptr;

    std::vector<uint32_t> argb(static_cast<size_t>(width) * static_cast<size_t>(height));
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = colour + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t px = 0;
            const auto ux = static_cast<size_t>(x);
            switch (bits) {
            case 1: px = palette[(row[ux / 8] >> (7 - ux % 8)) & 1]; break;
            case 4: px = palette[(row[ux / 2] >> (ux % 2 ? 0 : 4)) & 15]; break;
            case 8: px = palette[row[ux]]; break;
            case 24: px = static_cast<uint32_t>(row[ux * 3]) | row[ux * 3 + 1] << 8 | row[ux * 3 + 2] << 16; break;
            default: px = Le32(row + ux * 4); break;
            }
            if (bits == 32 && (px >> 24) != 0)
                anyAlpha = true;
            argb[static_cast<size_t>(y) * static_cast<size_t>(width) + ux] = px;
        }
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* maskRow = mask ? mask + static_cast<size_t>(height - 1 - y) * maskStride : nullptr;
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<size_t>(x);
            uint32_t& px = argb[static_cast<size_t>(y) * static_cast<size_t>(width) + ux];
            uint32_t a = 255;
            // A 32-bit picture carries its own alpha; the AND mask serves the others.
            if (bits == 32 && anyAlpha)
                a = px >> 24;
            else if (maskRow && ((maskRow[ux / 8] >> (7 - ux % 8)) & 1))
                a = 0;
            px = Premultiply(a, (px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
        }
    }
    out->width = width;
    out->height = height;
    out->frames.push_back(std::move(argb));
    out->delays.push_back(0);
    return true;
}

} // namespace

bool ReadIcoDirectory(const uint8_t* data, size_t size, std::vector<IcoEntry>* entries)
{
    entries->clear();
    if (!data || size < 6 || Le16(data) != 0 || (Le16(data + 2) != 1 && Le16(data + 2) != 2))
        return false;
    const int count = Le16(data + 4);
    if (count == 0 || size - 6 < static_cast<size_t>(count) * 16)
        return false;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + static_cast<size_t>(i) * 16;
        IcoEntry entry;
        entry.width = e[0] ? e[0] : 256;
        entry.height = e[1] ? e[1] : 256;
        entry.bitCount = Le16(e + 6);
        entry.size = Le32(e + 8);
        entry.offset = Le32(e + 12);
        if (entry.offset > size || entry.size > size - entry.offset || entry.size == 0)
            return false;
        entries->push_back(entry);
    }
    return true;
}

bool DecodeIco(const uint8_t* data, size_t size, int index, DecodedImage* out)
{
    *out = DecodedImage();
    std::vector<IcoEntry> entries;
    if (!ReadIcoDirectory(data, size, &entries) || index >= static_cast<int>(entries.size()))
        return false;
    if (index < 0) {
        index = 0;
        for (size_t i = 1; i < entries.size(); ++i) {
            const auto& a = entries[i];
            const auto& b = entries[static_cast<size_t>(index)];
            if (a.width * a.height > b.width * b.height || (a.width * a.height == b.width * b.height && a.bitCount > b.bitCount))
                index = static_cast<int>(i);
        }
    }
    const IcoEntry& entry = entries[static_cast<size_t>(index)];
    return DecodeIcoImage(data + entry.offset, entry.size, out);
}

bool DecodeIcoImage(const uint8_t* data, size_t size, DecodedImage* out)
{
    *out = DecodedImage();
    if (!data)
        return false;
    if (IsPng(data, size))
        return DecodePng(data, size, out);
    return DecodeDib(data, size, out);
}

int ClosestIcoEntry(const std::vector<IcoEntry>& entries, int width, int height)
{
    int best = -1;
    int bestDistance = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const IcoEntry& e = entries[i];
        const int distance = std::abs(e.width - width) + std::abs(e.height - height);
        bool better = best < 0 || distance < bestDistance;
        if (!better && distance == bestDistance) {
            const IcoEntry& b = entries[static_cast<size_t>(best)];
            const int area = e.width * e.height;
            const int bestArea = b.width * b.height;
            better = area > bestArea || (area == bestArea && e.bitCount > b.bitCount);
        }
        if (better) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace tarn
