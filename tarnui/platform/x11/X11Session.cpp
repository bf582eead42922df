#include "tarnui/platform/X11Session.h"

#include "tarnui/platform/WindowCore.h"
#include "tarnui/platform/x11/X11Backend.h"
#include "tarnui/platform/x11/X11Instance.h"
#include "tarnui/platform/x11/X11Runtime.h"

#include <X11/XKBlib.h>

namespace tarn {

namespace {

X11Backend* g_active = nullptr;
uint64_t g_generation = 0;

// A request on a window that vanished meanwhile (a tray host that quit, a foreign window)
// must not end the program, as Xlib's default handler would.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

} // namespace

X11Backend* X11Runtime::Active() { return g_active; }
void X11Runtime::SetActive(X11Backend* backend)
{
    g_active = backend;
    ++g_generation;
}

uint64_t X11Runtime::Generation() { return g_generation; }

struct X11Session::State {
    std::unique_ptr<X11Connection> conn;
    std::unique_ptr<X11Backend> backend;
    Backend* previous = nullptr;
};

std::unique_ptr<X11Session> X11Session::Open(const char* displayName)
{
    XInitThreads();
    auto state = std::make_unique<State>();
    state->conn = X11Connection::Open(displayName);
    if (!state->conn)
        return nullptr;
    XSetErrorHandler(IgnoreError);
    // Held keys repeat as presses only, without the fake releases in between.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(state->conn->Dpy(), True, &supported);
    state->backend = std::make_unique<X11Backend>(*state->conn);
    X11Instance::Install(*state->backend);
    {
        auto& core = WindowCore::Get();
        auto lock = core.Lock();
        state->previous = core.InstallBackend(state->backend.get());
    }
    X11Runtime::SetActive(state->backend.get());
    return std::unique_ptr<X11Session>(new X11Session(std::move(state)));
}

X11Session::X11Session(std::unique_ptr<State> state) : m_state(std::move(state)) {}

X11Session::~X11Session()
{
    X11Runtime::SetActive(nullptr);
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    core.InstallBackend(m_state->previous);
}

uint64_t X11Session::NativeWindow(HWND hwnd) const
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    return m_state->backend->NativeOf(hwnd);
}

bool X11Session::Composited() const { return m_state->conn->Composited(); }

void X11Session::Sync() const { XSync(m_state->conn->Dpy(), False); }

uint32_t* X11Session::Pixels(HWND hwnd, int* width, int* height, int* stride) const
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    const PixelBuffer px = m_state->backend->Backing(hwnd);
    if (width)
        *width = px.width;
    if (height)
        *height = px.height;
    if (stride)
        *stride = px.stride;
    return px.pixels;
}

bool X11Session::Present(HWND hwnd, const RECT& area) const
{
    auto& core = WindowCore::Get();
    auto lock = core.Lock();
    if (!m_state->backend->NativeOf(hwnd))
        return false;
    m_state->backend->Present(hwnd, area);
    return true;
}

} // namespace tarn
