#pragma once

#include "device/KeyMapCodec.h"

#include <array>
#include <functional>
#include <map>
#include <vector>

namespace corvane {

class Clock;
class ConfigStore;
class KeyboardDevice;

// Task 6: writes one profile layer's key functions, with the macros and shortcuts they use, into
// the keyboard's own key table. Family A stores macros by slot number and one table entry per
// key; family B has numbered macro and remap slots, each owned by one key.
class KeyMapTransfer {
public:
    // Macro events store Windows virtual-key codes; the keyboard wants key codes.
    using KeyCodeFromVirtualKey = std::function<int(int)>;

    KeyMapTransfer(KeyboardDevice& device, Clock& clock, ConfigStore& store, KeyCodeFromVirtualKey key_code);

    void UploadKeyMap(int device_type, int profile, int fn_layer, const std::map<int32_t, int32_t>& key_index);
    // Key code -> slot, as the last family A upload gave them.
    const std::map<int, int>& MacroSlotMap() const { return m_slots; }

    // Family B pieces.
    std::array<uint8_t, 28> ReadKeySlots();
    void WriteMacroSlot(int key, int slot, int type, int value);
    void WriteRemapSlot(int profile, int fn_layer, int key, int slot);

private:
    void UploadA(int profile, int fn_layer, const std::map<int32_t, int32_t>& key_index);
    void UploadB(int profile, int fn_layer);
    // The press and release events of a macro's first `limit` rows.
    std::vector<MacroKeyEvent> MacroEvents(int macro_id, int limit, int& rows);

    KeyboardDevice& m_device;
    Clock& m_clock;
    ConfigStore& m_store;
    KeyCodeFromVirtualKey m_keyCode;
    std::map<int, int> m_slots;
};

} // namespace corvane
