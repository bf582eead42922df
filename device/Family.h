#pragma once

namespace corvane {

// Which command set a keyboard model speaks, by its device type. Each boundary is named where
// a feature draws it, since the features do not all draw it in one place.
constexpr bool IsFamilyA(int device_type) { return device_type <= 200; }
constexpr bool IsFamilyB(int device_type) { return device_type >= 201 && device_type <= 299; }
constexpr bool HasLiveFrames(int device_type) { return device_type < 200; }
constexpr bool HasSlotSelector(int device_type) { return device_type < 200; }
constexpr bool HasFamilyBMusicControls(int device_type) { return device_type >= 200 && device_type <= 299; }

} // namespace corvane
