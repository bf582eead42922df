#include "keys/RawInput.h"

#include "keys/VirtualKeyName.h"

namespace corvane {

namespace {

constexpr int KeyboardKind = 2;
constexpr int KeyUp = 257;
constexpr int SystemKeyUp = 261;

} // namespace

RawInputKey ReadRawInput(RawInputSource& source, const KeyNameProvider& names, uintptr_t handle)
{
    const std::optional<RawInputEvent> event = source.Read(handle);
    if (!event)
        return {};
    RawInputKey key;
    key.kind = event->kind;
    if (event->kind != KeyboardKind)
        return key;
    key.released = event->message == KeyUp || event->message == SystemKeyUp;
    key.name = SystemKeyName(names, event->virtual_key);
    key.virtual_key = SidedModifier(event->virtual_key);
    if (const wchar_t* fixed = FixedKeyName(key.virtual_key))
        key.name = fixed;
    return key;
}

} // namespace corvane
