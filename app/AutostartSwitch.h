#pragma once

namespace corvane {

// Starting the program at log-in.
class AutostartSwitch {
public:
    virtual ~AutostartSwitch() = default;
    virtual bool IsOn() = 0;
    virtual bool TurnOn() = 0;
    virtual bool TurnOff() = 0;
};

} // namespace corvane
