// DCs over windows' backing pixels.
#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/gdi/DeviceContext.h"
#include "tarnui/platform/gdi/GdiTable.h"
#include "tarnui/platform/gdi/PaintDc.h"

namespace tarn {

namespace {

HDC NewWindowDc(HWND hwnd)
{
    return static_cast<HDC>(GdiTable::Get().Add(std::make_shared<DeviceContext>(DeviceContext::Type::Window, hwnd)));
}

void PresentAndDelete(const std::shared_ptr<DeviceContext>& dc)
{
    HWND root = nullptr;
    RECT area;
    if (dc->PresentArea(&root, &area)) {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        if (core.Find(root))
            core.GetBackend().Present(root, area);
    }
    dc->ReleaseAll();
    GdiTable::Get().Remove(dc->handle);
}

} // namespace

HDC CreatePaintDc(HWND hwnd, const RECT& paint)
{
    HDC hdc = NewWindowDc(hwnd);
    if (auto dc = DeviceContext::From(hdc))
        dc->SetPaintRect(paint);
    return hdc;
}

void FinishPaintDc(HDC hdc)
{
    if (auto dc = DeviceContext::From(hdc))
        PresentAndDelete(dc);
}

HDC GetDC(HWND hwnd)
{
    if (!hwnd)
        return static_cast<HDC>(GdiTable::Get().Add(std::make_shared<DeviceContext>(DeviceContext::Type::Screen, nullptr)));
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return NewWindowDc(hwnd);
}

HDC GetWindowDC(HWND hwnd)
{
    // Windows have no frame, so the window and its client area are one.
    return GetDC(hwnd);
}

int ReleaseDC(HWND, HDC hdc)
{
    auto dc = DeviceContext::From(hdc);
    if (!dc || dc->GetType() == DeviceContext::Type::Memory)
        return 0;
    PresentAndDelete(dc);
    return 1;
}

} // namespace tarn
