#pragma once

namespace corvane {

// Loads the layout file of the first keyboard model with this device type.
class LayoutLoader {
public:
    virtual ~LayoutLoader() = default;
    virtual void LoadLayout(int deviceType) = 0;
};

} // namespace corvane
