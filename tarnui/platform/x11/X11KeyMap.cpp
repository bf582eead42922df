#include "tarnui/platform/x11/X11KeyMap.h"

#include "tarnui/platform/WinConst.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <map>
#include <mutex>

namespace tarn {

namespace {

std::mutex g_mutex;
std::map<uint16_t, KeyPosition>& Table()
{
    static std::map<uint16_t, KeyPosition> table;
    return table;
}

// The keysyms a US layout gives keys whose virtual key does not follow from a letter or digit.
UINT VirtualKeyOfKeysym(KeySym sym)
{
    if (sym >= XK_a && sym <= XK_z)
        return static_cast<UINT>('A' + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z)
        return static_cast<UINT>('A' + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9)
        return static_cast<UINT>('0' + (sym - XK_0));
    if (sym >= XK_F1 && sym <= XK_F24)
        return static_cast<UINT>(VK_F1 + (sym - XK_F1));
    if (sym >= XK_KP_0 && sym <= XK_KP_9)
        return static_cast<UINT>(VK_NUMPAD0 + (sym - XK_KP_0));
    switch (sym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab: case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return: case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Shift_L: return VK_LSHIFT;
    case XK_Shift_R: return VK_RSHIFT;
    case XK_Control_L: return VK_LCONTROL;
    case XK_Control_R: return VK_RCONTROL;
    case XK_Alt_L: case XK_Meta_L: return VK_LMENU;
    case XK_Alt_R: case XK_Meta_R: case XK_ISO_Level3_Shift: return VK_RMENU;
    case XK_Super_L: return VK_LWIN;
    case XK_Super_R: return VK_RWIN;
    case XK_Menu: return VK_APPS;
    case XK_Pause: return VK_PAUSE;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return VK_NUMLOCK;
    case XK_Scroll_Lock: return VK_SCROLL;
    case XK_Print: return VK_SNAPSHOT;
    case XK_Prior: case XK_KP_Prior: return VK_PRIOR;
    case XK_Next: case XK_KP_Next: return VK_NEXT;
    case XK_End: case XK_KP_End: return VK_END;
    case XK_Home: case XK_KP_Home: return VK_HOME;
    case XK_Left: case XK_KP_Left: return VK_LEFT;
    case XK_Up: case XK_KP_Up: return VK_UP;
    case XK_Right: case XK_KP_Right: return VK_RIGHT;
    case XK_Down: case XK_KP_Down: return VK_DOWN;
    case XK_Insert: case XK_KP_Insert: return VK_INSERT;
    case XK_Delete: case XK_KP_Delete: return VK_DELETE;
    case XK_KP_Begin: return VK_CLEAR;
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    case XK_semicolon: return VK_OEM_1;
    case XK_equal: return VK_OEM_PLUS;
    case XK_comma: return VK_OEM_COMMA;
    case XK_minus: return VK_OEM_MINUS;
    case XK_period: return VK_OEM_PERIOD;
    case XK_slash: return VK_OEM_2;
    case XK_grave: return VK_OEM_3;
    case XK_bracketleft: return VK_OEM_4;
    case XK_backslash: return VK_OEM_5;
    case XK_bracketright: return VK_OEM_6;
    case XK_apostrophe: return VK_OEM_7;
    case XK_less: return VK_OEM_102;
    default: return 0;
    }
}

} // namespace

void SetKeyPositions(std::span<const KeyPosition> rows)
{
    std::lock_guard lock(g_mutex);
    auto& table = Table();
    table.clear();
    for (const auto& r : rows) {
        if (r.xKeycode != 0 && r.virtualKey != 0)
            table.emplace(r.xKeycode, r);
    }
}

bool X11KeyMap::IsExtendedInputCode(unsigned code)
{
    // Keypad Enter, right Ctrl, keypad /, right Alt, the navigation block, the Windows and menu keys.
    return code == 96 || code == 97 || code == 98 || code == 100 || (code >= 102 && code <= 111) || code == 125
           || code == 126 || code == 127;
}

KeyPosition X11KeyMap::Translate(Display* dpy, unsigned keycode)
{
    {
        std::lock_guard lock(g_mutex);
        const auto& table = Table();
        if (auto it = table.find(static_cast<uint16_t>(keycode)); it != table.end())
            return it->second;
    }
    KeyPosition p;
    p.xKeycode = static_cast<uint16_t>(keycode);
    const unsigned input = keycode >= 8 ? keycode - 8 : 0;
    // Set 1 equals the evdev code for the main block; the E0 keys reuse codes of the keypad
    // and the left-hand modifiers; beyond those there is no one-byte code.
    p.extended = IsExtendedInputCode(input);
    static const std::map<unsigned, uint8_t> e0 = {{96, 0x1C}, {97, 0x1D}, {98, 0x35}, {100, 0x38}, {102, 0x47},
                                                   {103, 0x48}, {104, 0x49}, {105, 0x4B}, {106, 0x4D}, {107, 0x4F},
                                                   {108, 0x50}, {109, 0x51}, {110, 0x52}, {111, 0x53}, {125, 0x5B},
                                                   {126, 0x5C}, {127, 0x5D}};
    if (auto it = e0.find(input); it != e0.end())
        p.scanCode = it->second;
    else
        p.scanCode = input < 0x80 ? static_cast<uint8_t>(input) : 0;
    const KeySym sym = XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(keycode), 0, 0);
    p.virtualKey = static_cast<uint16_t>(VirtualKeyOfKeysym(sym));
    return p;
}

wchar_t X11KeyMap::Character(XKeyEvent& event)
{
    char text[16] = {};
    KeySym sym = 0;
    const int n = XLookupString(&event, text, sizeof text, &sym, nullptr);
    // XLookupString answers Latin-1, one byte per character.
    const auto first = static_cast<unsigned char>(text[0]);
    if (n == 1 && first >= 0x20 && first != 0x7F)
        return static_cast<wchar_t>(first);
    // Control characters still type what Windows gives for them: Enter, Tab, Backspace, Escape.
    if (n == 1 && (text[0] == '\r' || text[0] == '\t' || text[0] == '\b' || text[0] == 0x1B))
        return static_cast<wchar_t>(text[0]);
    // Keysyms of the Unicode range carry the code point itself.
    if (sym >= 0x01000100 && sym <= 0x0110FFFF)
        return static_cast<wchar_t>(sym - 0x01000000);
    return 0;
}

} // namespace tarn
