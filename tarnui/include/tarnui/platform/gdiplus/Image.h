#pragma once

#include "tarnui/platform/Export.h"
#include "tarnui/platform/gdiplus/GdiplusTypes.h"

#include <cstddef>
#include <memory>

namespace tarn {
class ImageData;
}

namespace tarn::gp {

// A picture of one or more equal-sized frames (the frames of an animated GIF), as premultiplied
// ARGB. PNG, GIF and ICO (its largest picture) load from a file, bytes or a resource; the
// format is told by content, not by name. Loaders answer null for a missing or broken file.
class TARN_API Image {
public:
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Backslashes in a path count as folder separators.
    static std::unique_ptr<Image> FromFile(const wchar_t* path);
    static std::unique_ptr<Image> FromStream(const void* data, size_t size);
    static std::unique_ptr<Image> FromResource(HINSTANCE module, UINT id, const wchar_t* type);

    UINT GetWidth() const;
    UINT GetHeight() const;
    UINT GetFrameCount() const;
    // Frames are along the time dimension only.
    UINT GetFrameDimensionsCount() const { return 1; }
    Status SelectActiveFrame(UINT index);
    UINT GetActiveFrame() const { return m_frame; }
    // The frame's delay in milliseconds (0 when the file gives none).
    UINT GetFrameDelay(UINT index) const;
    // A deep copy showing the same frame.
    std::unique_ptr<Image> Clone() const;

    const std::shared_ptr<ImageData>& Data() const { return m_data; }

protected:
    explicit Image(std::shared_ptr<ImageData> data);

    std::shared_ptr<ImageData> m_data;
    UINT m_frame = 0;
};

} // namespace tarn::gp
