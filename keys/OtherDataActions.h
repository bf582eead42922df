#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// What the desktop does for an other-data key. Each answers whether it was done.
class OtherDataActions {
public:
    virtual ~OtherDataActions() = default;
    // Starts the program at `path`, or opens the file there with its usual program.
    virtual bool StartProgram(const tarn::CString& path) = 0;
    // Opens a web address that already carries its scheme.
    virtual bool OpenWebAddress(const tarn::CString& url) = 0;
    // Types `text` into the focused window through the clipboard and Ctrl+V.
    virtual bool PasteText(const tarn::CString& text) = 0;
    // Makes that profile current and shows its keys; false when it does not exist.
    virtual bool SwitchProfile(int profile_number) = 0;
};

} // namespace corvane
