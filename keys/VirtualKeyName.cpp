#include "keys/VirtualKeyName.h"

namespace corvane {

namespace {

// Names longer than this are cut, as a name buffer of 260 characters would.
constexpr int MaxNameLength = 259;
constexpr int ExtendedKeyBit = 0x100;

} // namespace

int SidedModifier(int virtual_key)
{
    switch (virtual_key) {
    case 16: return 160;
    case 17: return 162;
    case 18: return 164;
    default: return virtual_key;
    }
}

tarn::CString SystemKeyName(const KeyNameProvider& names, int virtual_key)
{
    int scan = names.ScanCode(virtual_key);
    if (virtual_key >= 33 && virtual_key <= 46 && (virtual_key < 41 || virtual_key > 44))
        scan |= ExtendedKeyBit;
    // Only the low nine bits reach the parameter: the scan code and its E0 bit.
    const int32_t param = static_cast<int32_t>((scan & 0x1FF) << 16);
    tarn::CString name = names.ScanCodeName(param);
    return name.GetLength() > MaxNameLength ? name.Left(MaxNameLength) : name;
}

const wchar_t* FixedKeyName(int virtual_key)
{
    switch (virtual_key) {
    case 19: return L"Pause";
    case 44: return L"Print Screen";
    case 91: return L"Windows";
    case 92: return L"RWindows";
    case 93: return L"Application";
    case 144: return L"Num Lock";
    case 160: return L"Shift";
    case 161: return L"RShift";
    case 162: return L"Ctrl";
    case 163: return L"RCtrl";
    case 164: return L"Alt";
    case 165: return L"RAlt";
    default: return nullptr;
    }
}

NamedKey VirtualKeyName(const KeyNameProvider& names, int virtual_key)
{
    const int sided = SidedModifier(virtual_key);
    NamedKey key{SystemKeyName(names, sided), sided};
    if (const wchar_t* fixed = FixedKeyName(sided))
        key.name = fixed;
    return key;
}

} // namespace corvane
