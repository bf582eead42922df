#include "tarnui/platform/KeyboardCapture.h"

#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/x11/X11KeyMap.h"
#include "tarnui/platform/x11/X11Runtime.h"

namespace tarn {

namespace {

bool g_running = false;

// With Num Lock off the keypad digits and point are navigation keys, as the hook reports them.
DWORD NavigationOfKeypad(unsigned inputCode)
{
    switch (inputCode) {
    case 71: return VK_HOME;
    case 72: return VK_UP;
    case 73: return VK_PRIOR;
    case 75: return VK_LEFT;
    case 76: return VK_CLEAR;
    case 77: return VK_RIGHT;
    case 79: return VK_END;
    case 80: return VK_DOWN;
    case 81: return VK_NEXT;
    case 82: return VK_INSERT;
    case 83: return VK_DELETE;
    default: return 0;
    }
}

} // namespace

struct KeyboardCapture::State {
    X11Backend* backend = nullptr;
    uint64_t generation = 0;
    int handler = 0;
    Callback callback;
};

std::unique_ptr<KeyboardCapture> KeyboardCapture::Start(Callback callback)
{
    X11Backend* backend = X11Runtime::Active();
    if (!backend || !callback || g_running)
        return nullptr;
    X11Connection& conn = backend->Connection();
    Display* dpy = conn.Dpy();
    if (XGrabKeyboard(dpy, conn.Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess)
        return nullptr;
    auto state = std::make_unique<State>();
    state->backend = backend;
    state->generation = X11Runtime::Generation();
    state->callback = std::move(callback);
    State* s = state.get();
    const XWindow root = conn.Root();
    state->handler = backend->AddForeignHandler([s, dpy, root](XEvent& e) {
        if ((e.type != KeyPress && e.type != KeyRelease) || e.xkey.window != root)
            return false;
        const KeyPosition key = X11KeyMap::Translate(dpy, e.xkey.keycode);
        const bool up = e.type == KeyRelease;
        const bool alt = (e.xkey.state & Mod1Mask) != 0;
        CapturedKey k;
        k.vkCode = key.virtualKey;
        k.scanCode = key.scanCode;
        k.flags = (key.extended ? 0x01u : 0u) | (alt ? 0x20u : 0u) | (up ? 0x80u : 0u);
        const unsigned input = e.xkey.keycode - 8;
        if (!(e.xkey.state & Mod2Mask)) {
            if (const DWORD nav = NavigationOfKeypad(input))
                k.vkCode = nav;
        }
        const bool sys = alt || key.virtualKey == VK_F10 || key.virtualKey == VK_LMENU || key.virtualKey == VK_RMENU;
        k.message = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
        k.time = static_cast<DWORD>(e.xkey.time);
        if (k.vkCode)
            s->callback(k);
        return true;
    });
    g_running = true;
    XFlush(dpy);
    return std::unique_ptr<KeyboardCapture>(new KeyboardCapture(std::move(state)));
}

KeyboardCapture::KeyboardCapture(std::unique_ptr<State> state) : m_state(std::move(state)) {}

KeyboardCapture::~KeyboardCapture()
{
    // A grab left behind would lock the whole desktop's keyboard.
    if (X11Runtime::Generation() == m_state->generation) {
        m_state->backend->RemoveForeignHandler(m_state->handler);
        Display* dpy = m_state->backend->Connection().Dpy();
        XUngrabKeyboard(dpy, CurrentTime);
        XFlush(dpy);
    }
    g_running = false;
}

} // namespace tarn
