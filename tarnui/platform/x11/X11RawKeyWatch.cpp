#include "tarnui/platform/RawKeyWatch.h"

#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/x11/X11KeyMap.h"
#include "tarnui/platform/x11/X11Runtime.h"

#include <X11/extensions/XInput2.h>

namespace tarn {

namespace {

int g_watchers = 0;

UINT GenericOf(UINT vk)
{
    switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

void SelectRaw(Display* dpy, XWindow root, bool on)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
    }
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISelectEvents(dpy, root, &mask, 1);
    XFlush(dpy);
}

} // namespace

struct RawKeyWatch::State {
    X11Backend* backend = nullptr;
    uint64_t generation = 0;
    int handler = 0;
    Callback callback;
};

std::unique_ptr<RawKeyWatch> RawKeyWatch::Start(Callback callback)
{
    X11Backend* backend = X11Runtime::Active();
    if (!backend || !callback)
        return nullptr;
    Display* dpy = backend->Connection().Dpy();
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(dpy, "XInputExtension", &opcode, &event, &error) || XIQueryVersion(dpy, &major, &minor) != Success)
        return nullptr;
    auto state = std::make_unique<State>();
    state->backend = backend;
    state->generation = X11Runtime::Generation();
    state->callback = std::move(callback);
    State* s = state.get();
    state->handler = backend->AddForeignHandler([s, dpy, opcode](XEvent& e) {
        if (e.type != GenericEvent || e.xcookie.extension != opcode)
            return false;
        if (e.xcookie.evtype != XI_RawKeyPress && e.xcookie.evtype != XI_RawKeyRelease)
            return false;
        if (!XGetEventData(dpy, &e.xcookie))
            return true;
        const auto* raw = static_cast<const XIRawEvent*>(e.xcookie.data);
        const KeyPosition key = X11KeyMap::Translate(dpy, static_cast<unsigned>(raw->detail));
        RawKey k;
        k.virtualKey = GenericOf(key.virtualKey);
        k.makeCode = key.scanCode;
        k.message = e.xcookie.evtype == XI_RawKeyPress ? WM_KEYDOWN : WM_KEYUP;
        XFreeEventData(dpy, &e.xcookie);
        if (k.virtualKey)
            s->callback(k);
        return true;
    });
    // Several watches may run; each adds its handler, the selection is shared.
    if (g_watchers++ == 0)
        SelectRaw(dpy, backend->Connection().Root(), true);
    return std::unique_ptr<RawKeyWatch>(new RawKeyWatch(std::move(state)));
}

RawKeyWatch::RawKeyWatch(std::unique_ptr<State> state) : m_state(std::move(state)) {}

RawKeyWatch::~RawKeyWatch()
{
    const bool last = --g_watchers == 0;
    if (X11Runtime::Generation() != m_state->generation)
        return;
    m_state->backend->RemoveForeignHandler(m_state->handler);
    // Released when editing ends, so the desktop's keys stop reaching us.
    if (last)
        SelectRaw(m_state->backend->Connection().Dpy(), m_state->backend->Connection().Root(), false);
}

} // namespace tarn
