#pragma once

namespace tarn {

// The device name the library starts with; the program replaces it with the one config.xml names.
inline constexpr const wchar_t* DefaultDeviceName = L"TarnUI";

} // namespace tarn
