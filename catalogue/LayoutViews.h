#pragma once

#include "tarnui/platform/CRect.h"
#include "tarnui/platform/CString.h"

namespace corvane {

// A keyboard view that shows a layout's picture and keys.
class LayoutKeyboardView {
public:
    virtual ~LayoutKeyboardView() = default;
    virtual void ClearItem() = 0;
    virtual void SetRect(int left, int top, int right, int bottom) = 0;
    // A skin image path: "keyboard/" followed by the layout's image name.
    virtual void SetKeyboardImage(const tarn::CString& path) = 0;
    virtual void SetWidthAndHeight(int width, int height) = 0;
    virtual void AddKeyItem(const tarn::CString& name, const tarn::CString& desc, int code, const tarn::CRect& rect,
                            const tarn::CString& icon) = 0;
};

// The main window's parts that a layout configures.
class LayoutPageView {
public:
    static constexpr int BrightnessSlider = 75;
    static constexpr int SpeedSlider = 77;

    virtual ~LayoutPageView() = default;
    // Positions of the main tab control: 1 custom keys, 2 macros, 3 lighting.
    virtual void SetTabItemVisible(int position, bool visible) = 0;
    virtual void SetSliderMaximum(int control, int maximum) = 0;
    virtual void ShowFirmwareButton(bool visible) = 0;
};

// The store switch a layout load makes: one database file per keyboard model.
class LayoutStore {
public:
    virtual ~LayoutStore() = default;
    virtual bool IsOpen() = 0;
    virtual void Close() = 0;
    virtual bool OpenForDevice(const tarn::CString& model_name) = 0;
    virtual void SetDeviceType(int device_type) = 0;
};

} // namespace corvane
