#pragma once

#include "tarnui/platform/WinGdi.h"

namespace tarn {

// The DCs of the paint cycle: BeginPaint's DC is clipped to the paint rectangle, and EndPaint
// presents that rectangle and deletes the DC.
HDC CreatePaintDc(HWND hwnd, const RECT& paint);
void FinishPaintDc(HDC hdc);

} // namespace tarn
