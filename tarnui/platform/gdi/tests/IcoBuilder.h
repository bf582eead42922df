#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tarn::test {

// Builds small ICO files in memory: 32-bit DIB entries from a function of straight ARGB
// pixels (the AND mask is left clear, so the alpha channel decides).
class IcoBuilder {
public:
    using Pixel = std::function<uint32_t(int x, int y)>;

    static std::vector<uint8_t> Dib32(int size, const Pixel& argb)
    {
        std::vector<uint8_t> out;
        Put32(out, 40);
        Put32(out, static_cast<uint32_t>(size));
        Put32(out, static_cast<uint32_t>(size * 2));
        Put16(out, 1);
        Put16(out, 32);
        for (int i = 0; i < 6; ++i)
            Put32(out, 0);
        for (int y = size - 1; y >= 0; --y)
            for (int x = 0; x < size; ++x)
                Put32(out, argb(x, y));
        const int maskStride = (size + 31) / 32 * 4;
        out.resize(out.size() + static_cast<size_t>(maskStride * size), 0);
        return out;
    }

    IcoBuilder& Add(int size, std::vector<uint8_t> image)
    {
        m_entries.push_back({size, std::move(image)});
        return *this;
    }
    IcoBuilder& Add(int size, const Pixel& argb) { return Add(size, Dib32(size, argb)); }

    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out;
        Put16(out, 0);
        Put16(out, 1);
        Put16(out, static_cast<uint16_t>(m_entries.size()));
        uint32_t offset = static_cast<uint32_t>(6 + 16 * m_entries.size());
        for (const auto& e : m_entries) {
            out.push_back(static_cast<uint8_t>(e.size % 256));
            out.push_back(static_cast<uint8_t>(e.size % 256));
            out.push_back(0);
            out.push_back(0);
            Put16(out, 1);
            Put16(out, 32);
            Put32(out, static_cast<uint32_t>(e.image.size()));
            Put32(out, offset);
            offset += static_cast<uint32_t>(e.image.size());
        }
        for (const auto& e : m_entries)
            out.insert(out.end(), e.image.begin(), e.image.end());
        return out;
    }

private:
    struct Entry {
        int size;
        std::vector<uint8_t> image;
    };
    static void Put16(std::vector<uint8_t>& out, uint16_t v)
    {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
    static void Put32(std::vector<uint8_t>& out, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }

    std::vector<Entry> m_entries;
};

} // namespace tarn::test
