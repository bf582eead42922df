#include "tarnui/platform/gdi/GifDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tarn {

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Has(size_t n) const { return m_size - m_pos >= n; }
    uint8_t Byte() { return Has(1) ? m_data[m_pos++] : 0; }
    int Word()
    {
        const int lo = Byte();
        return lo | Byte() << 8;
    }
    bool Skip(size_t n)
    {
        if (!Has(n))
            return false;
        m_pos += n;
        return true;
    }
    const uint8_t* Here() const { return m_data + m_pos; }
    // Concatenates sub-blocks up to the terminator; false when the stream ends first.
    bool SubBlocks(std::vector<uint8_t>* out)
    {
        for (;;) {
            if (!Has(1))
                return false;
            const uint8_t n = Byte();
            if (n == 0)
                return true;
            const size_t take = std::min<size_t>(n, m_size - m_pos);
            if (out)
                out->insert(out->end(), m_data + m_pos, m_data + m_pos + take);
            m_pos += take;
            if (take < n)
                return false;
        }
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

using Palette = std::array<uint32_t, 256>;

int ReadPalette(Reader& r, int entries, Palette* palette)
{
    if (!r.Has(static_cast<size_t>(entries) * 3))
        return 0;
    palette->fill(0xFF000000u);
    for (int i = 0; i < entries; ++i) {
        const uint32_t red = r.Byte();
        const uint32_t green = r.Byte();
        const uint32_t blue = r.Byte();
        (*palette)[static_cast<size_t>(i)] = 0xFF000000u | red << 16 | green << 8 | blue;
    }
    return entries;
}

// LZW as GIF uses it: variable code width from minimum + 1 up to 12 bits, least significant bit
// first. Answers how many indices were written; the rest of out is left alone.
size_t Lzw(const std::vector<uint8_t>& in, int minCode, std::vector<uint8_t>& out)
{
    if (minCode < 1 || minCode > 11)
        return 0;
    std::array<uint16_t, 4096> prefix{};
    std::array<uint8_t, 4096> suffix{};
    std::array<uint8_t, 4096> first{};
    std::array<uint8_t, 4097> stack{};
    const int clear = 1 << minCode;
    const int eoi = clear + 1;
    for (int i = 0; i < clear; ++i) {
        suffix[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
        first[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
    int width = minCode + 1;
    int next = eoi + 1;
    int prev = -1;
    size_t written = 0;
    uint32_t bits = 0;
    int count = 0;
    size_t pos = 0;
    while (written < out.size()) {
        while (count < width && pos < in.size()) {
            bits |= static_cast<uint32_t>(in[pos++]) << count;
            count += 8;
        }
        if (count < width)
            break;
        const int code = static_cast<int>(bits & ((1u << width) - 1));
        bits >>= width;
        count -= width;
        if (code == clear) {
            width = minCode + 1;
            next = eoi + 1;
            prev = -1;
            continue;
        }
        if (code == eoi)
            break;
        int emit;
        uint8_t head;
        if (prev < 0) {
            if (code >= clear)
                break;
            emit = code;
            head = first[static_cast<size_t>(code)];
        } else if (code < next) {
            emit = code;
            head = first[static_cast<size_t>(code)];
        } else if (code == next && next < 4096) {
            emit = -1;
            head = first[static_cast<size_t>(prev)];
        } else {
            break;
        }
        if (prev >= 0 && next < 4096) {
            prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(prev);
            suffix[static_cast<size_t>(next)] = head;
            first[static_cast<size_t>(next)] = first[static_cast<size_t>(prev)];
            if (emit < 0)
                emit = next;
            ++next;
            if (next == (1 << width) && width < 12)
                ++width;
        }
        if (emit < 0)
            break;
        size_t depth = 0;
        for (int c = emit; depth < stack.size(); c = prefix[static_cast<size_t>(c)]) {
            stack[depth++] = suffix[static_cast<size_t>(c)];
            if (c < clear)
                break;
        }
        while (depth > 0 && written < out.size())
            out[written++] = stack[--depth];
        prev = code;
    }
    return written;
}

struct Control {
    int disposal = 0;
    int delay = 0;
    int transparent = -1;
};

} // namespace

bool DecodeGif(const uint8_t* data, size_t size, DecodedImage* out)
{
    *out = DecodedImage();
    if (!data || size < 13 || (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0))
        return false;
    Reader r(data, size);
    r.Skip(6);
    const int width = r.Word();
    const int height = r.Word();
    const uint8_t flags = r.Byte();
    r.Skip(2);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        static_cast<long long>(width) * height > kMaxImagePixels)
        return false;
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    Palette global{};
    bool hasGlobal = false;
    if (flags & 0x80) {
        if (!ReadPalette(r, 2 << (flags & 7), &global))
            return false;
        hasGlobal = true;
    }
    std::vector<uint32_t> canvas(pixels, 0);
    Control control;
    long long total = 0;
    while (r.Has(1)) {
        const uint8_t block = r.Byte();
        if (block == 0x3B)
            break;
        if (block == 0x21) {
            const uint8_t label = r.Byte();
            std::vector<uint8_t> body;
            const bool complete = r.SubBlocks(&body);
            if (label == 0xF9 && body.size() >= 4) {
                control.disposal = (body[0] >> 2) & 7;
                control.transparent = (body[0] & 1) ? body[3] : -1;
                control.delay = (body[1] | body[2] << 8) * 10;
            }
            if (!complete)
                break;
            continue;
        }
        if (block != 0x2C)
            break;
        if (!r.Has(9))
            break;
        const int fx = r.Word();
        const int fy = r.Word();
        const int fw = r.Word();
        const int fh = r.Word();
        const uint8_t fflags = r.Byte();
        Palette local{};
        const Palette* palette = hasGlobal ? &global : nullptr;
        if (fflags & 0x80) {
            if (!ReadPalette(r, 2 << (fflags & 7), &local))
                break;
            palette = &local;
        }
        if (!r.Has(1))
            break;
        const int minCode = r.Byte();
        std::vector<uint8_t> compressed;
        const bool complete = r.SubBlocks(&compressed);
        if (!palette)
            return false;
        total += static_cast<long long>(pixels);
        if (out->frames.size() >= 4096 || total > kMaxTotalPixels)
            return false;
        std::vector<uint8_t> indices(static_cast<size_t>(fw) * static_cast<size_t>(fh), 0);
        const size_t decoded = Lzw(compressed, minCode, indices);

        // Disposal 3 puts back what was there before this frame; keep a copy for it.
        std::vector<uint32_t> before;
        if (control.disposal == 3)
            before = canvas;
        const bool interlaced = (fflags & 0x40) != 0;
        size_t index = 0;
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        for (int pass = interlaced ? 0 : 3; pass < 4 && index < decoded; ++pass) {
            const int start = interlaced ? kStart[pass] : 0;
            const int step = interlaced ? kStep[pass] : 1;
            for (int row = start; row < fh && index < decoded; row += step) {
                const int y = fy + row;
                for (int col = 0; col < fw && index < decoded; ++col, ++index) {
                    const int x = fx + col;
                    const uint8_t v = indices[index];
                    if (x >= width || y >= height || v == control.transparent)
                        continue;
                    canvas[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                        (*palette)[v];
                }
            }
        }
        out->frames.push_back(canvas);
        out->delays.push_back(control.delay);
        // Disposal applies before the next frame: 2 clears the frame's area, 3 restores.
        if (control.disposal == 2) {
            for (int y = fy; y < std::min(height, fy + fh); ++y)
                for (int x = fx; x < std::min(width, fx + fw); ++x)
                    canvas[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = 0;
        } else if (control.disposal == 3) {
            canvas = std::move(before);
        }
        control = Control();
        if (!complete)
            break;
    }
    if (out->frames.empty())
        return false;
    out->width = width;
    out->height = height;
    return true;
}

} // namespace tarn
