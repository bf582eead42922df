#pragma once

#include "tarnui/platform/gdi/DecodedImage.h"

#include <vector>

namespace tarn {

// One picture of an icon or cursor file, as its directory describes it.
struct IcoEntry {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    size_t offset = 0;
    size_t size = 0;
};

// The directory of an ICO (or CUR) file; false when the header or an entry is out of bounds.
bool ReadIcoDirectory(const uint8_t* data, size_t size, std::vector<IcoEntry>* entries);
// Decodes one entry (PNG, or a BMP with its AND mask); index -1 picks the largest, deepest one.
bool DecodeIco(const uint8_t* data, size_t size, int index, DecodedImage* out);
// Decodes one entry's bytes on their own (PNG, or a DIB with its AND mask), as an icon
// resource holds them.
bool DecodeIcoImage(const uint8_t* data, size_t size, DecodedImage* out);
// The entry to show at width x height: the nearest in size, a larger one on a tie (shrinking
// keeps detail), then the deepest; -1 for none.
int ClosestIcoEntry(const std::vector<IcoEntry>& entries, int width, int height);

} // namespace tarn
