#include "keys/FunctionTables.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr MediaFunction MediaRows[] = {
    {232, 0x183, 181, 272}, // media player
    {233, 0x0EA, 174, 235}, // volume down
    {234, 0x0E9, 175, 234}, // volume up
    {235, 0x0E2, 173, 236}, // mute
    {236, 0x0B7, 178, 231}, // stop
    {237, 0x0B6, 177, 232}, // previous track
    {238, 0x0CD, 179, 230}, // play/pause
    {239, 0x0B5, 176, 233}, // next track
    {240, 0x18A, 180, 271}, // e-mail
    {241, 0x223, 172, 273}, // web home
    {242, 0x192, 183, 270}, // calculator
    {243, 0x224, 166, 276}, // web back
    {244, 0x225, 167, 277}, // web forward
    {245, 0x226, 169, 275}, // web stop
    {246, 0x227, 168, 274}, // web refresh
    {247, 0x221, 170, 279}, // web search
    {248, 0x22A, 171, 278}, // web favourites
    {249, 0x194, 182, 252}, // my computer
};

// Middle and right swap places between the values and the report bits.
constexpr MouseFunction MouseRows[] = {
    {1, 220, 0}, // left
    {2, 222, 2}, // middle
    {3, 223, 1}, // right
    {7, 227, 4}, // fifth button
    {8, 228, 3}, // fourth button
};

template <typename Row, size_t N, typename Key>
const Row* Find(const Row (&rows)[N], Key key)
{
    const auto it = std::find_if(std::begin(rows), std::end(rows), key);
    return it == std::end(rows) ? nullptr : it;
}

} // namespace

std::span<const MediaFunction> FunctionTables::Media() { return MediaRows; }
std::span<const MouseFunction> FunctionTables::Mouse() { return MouseRows; }

const MediaFunction* FunctionTables::FindMedia(int value)
{
    return Find(MediaRows, [value](const MediaFunction& f) { return f.value == value; });
}

const MouseFunction* FunctionTables::FindMouse(int value)
{
    return Find(MouseRows, [value](const MouseFunction& f) { return f.value == value; });
}

} // namespace corvane
