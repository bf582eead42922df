#pragma once

#include <cstdint>
#include <span>

namespace corvane {

// A media or application function (category 2, values 232 .. 249).
struct MediaFunction {
    int value;
    uint16_t consumer_usage;  // consumer page 0x0C, reported while the key is held
    int virtual_key;
    int picker_text;          // the picker's name of the function
};

// A mouse button function (category 5).
struct MouseFunction {
    int value;
    int caption_text;
    int report_bit;           // the button's bit in the virtual mouse report
};

class FunctionTables {
public:
    static std::span<const MediaFunction> Media();
    static std::span<const MouseFunction> Mouse();

    // nullptr for a value the table does not hold.
    static const MediaFunction* FindMedia(int value);
    static const MouseFunction* FindMouse(int value);
};

} // namespace corvane
