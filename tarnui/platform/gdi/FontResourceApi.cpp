// Fonts added from memory for GDI text of this process.
#include "tarnui/platform/WinGdi.h"
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/gdi/FontSystem.h"

namespace tarn {

HANDLE AddFontMemResourceEx(const void* data, DWORD size, void* reserved, DWORD* fonts)
{
    if (fonts)
        *fonts = 0;
    if (!data || size == 0 || reserved) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    std::vector<FaceInfo> faces;
    const int token = system.AddMemory(data, size, &faces);
    if (!token) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (fonts)
        *fonts = static_cast<DWORD>(faces.size());
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(token));
}

BOOL RemoveFontMemResourceEx(HANDLE handle)
{
    if (!handle)
        return FALSE;
    auto& system = FontSystem::Get();
    auto lock = system.Lock();
    return system.Remove(static_cast<int>(reinterpret_cast<intptr_t>(handle))) ? TRUE : FALSE;
}

} // namespace tarn
