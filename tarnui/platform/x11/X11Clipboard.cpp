#include "tarnui/platform/Clipboard.h"

#include "tarnui/platform/x11/X11Hints.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tarn {

namespace {

std::wstring FromUtf8(const unsigned char* s, size_t n)
{
    std::wstring out;
    for (size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        uint32_t cp = 0xFFFD;
        if (len == 0 || i + len > n) {
            out += static_cast<wchar_t>(cp);
            ++i;
            continue;
        }
        cp = len == 1 ? c : c & (0x7Fu >> len);
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            ok = ok && (s[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (s[i + k] & 0x3Fu);
        }
        out += static_cast<wchar_t>(ok ? cp : 0xFFFD);
        i += ok ? len : 1;
    }
    return out;
}

} // namespace

struct Clipboard::State {
    Display* dpy = nullptr;
    XWindow window = 0;
    int wake = -1;
    std::string display;
    Atom clipboard = 0, targets = 0, utf8 = 0, text = 0;
    size_t maxBytes = 0;
    std::thread thread;

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::string utf8Text;
    std::string latin1Text;
    enum class Ask { Nothing, Take, Release, Quit } ask = Ask::Nothing;
    bool owned = false;
    bool served = false;
    uint64_t generation = 0;

    void Run();
    void Serve(const XSelectionRequestEvent& r);
};

void Clipboard::State::Serve(const XSelectionRequestEvent& r)
{
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.time = r.time;
    // Obsolete clients name no property: the target doubles as one.
    const Atom property = r.property ? r.property : r.target;
    reply.xselection.property = 0;
    std::unique_lock lock(mutex);
    if (owned && r.selection == clipboard) {
        if (r.target == targets) {
            const Atom list[] = {targets, utf8, text, XA_STRING};
            XChangeProperty(dpy, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(list), 4);
            reply.xselection.property = property;
        } else if (r.target == utf8 || r.target == text || r.target == XA_STRING) {
            const std::string& bytes = r.target == XA_STRING ? latin1Text : utf8Text;
            XChangeProperty(dpy, r.requestor, property, r.target == XA_STRING ? XA_STRING : utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
            reply.xselection.property = property;
            served = true;
            changed.notify_all();
        }
    }
    lock.unlock();
    XSendEvent(dpy, r.requestor, False, NoEventMask, &reply);
    XFlush(dpy);
}

void Clipboard::State::Run()
{
    for (;;) {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == SelectionRequest) {
                Serve(e.xselectionrequest);
            } else if (e.type == SelectionClear) {
                std::lock_guard lock(mutex);
                owned = false;
                changed.notify_all();
            }
        }
        pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wake, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue;
        if (!(fds[1].revents & POLLIN))
            continue;
        uint64_t n = 0;
        if (read(wake, &n, sizeof n) < 0) {
            // Nothing to drain: the next poll looks again.
        }
        std::unique_lock lock(mutex);
        const Ask what = ask;
        ask = Ask::Nothing;
        if (what == Ask::Quit)
            return;
        if (what == Ask::Take) {
            XSetSelectionOwner(dpy, clipboard, window, CurrentTime);
            owned = XGetSelectionOwner(dpy, clipboard) == window;
        } else if (what == Ask::Release && owned) {
            XSetSelectionOwner(dpy, clipboard, 0, CurrentTime);
            owned = false;
        }
        XFlush(dpy);
        ++generation;
        changed.notify_all();
    }
}

std::unique_ptr<Clipboard> Clipboard::Open(const char* displayName)
{
    XInitThreads();
    auto s = std::make_unique<State>();
    s->dpy = XOpenDisplay(displayName);
    if (!s->dpy)
        return nullptr;
    if (displayName)
        s->display = displayName;
    s->window = XCreateSimpleWindow(s->dpy, DefaultRootWindow(s->dpy), -10, -10, 1, 1, 0, 0, 0);
    s->clipboard = XInternAtom(s->dpy, "CLIPBOARD", False);
    s->targets = XInternAtom(s->dpy, "TARGETS", False);
    s->utf8 = XInternAtom(s->dpy, "UTF8_STRING", False);
    s->text = XInternAtom(s->dpy, "TEXT", False);
    // One reply must fit one request; the header leaves a little under the maximum.
    s->maxBytes = static_cast<size_t>(XMaxRequestSize(s->dpy)) * 4 - 64;
    s->wake = eventfd(0, EFD_CLOEXEC);
    if (s->wake < 0) {
        XCloseDisplay(s->dpy);
        return nullptr;
    }
    State* raw = s.get();
    s->thread = std::thread([raw] { raw->Run(); });
    return std::unique_ptr<Clipboard>(new Clipboard(std::move(s)));
}

Clipboard::Clipboard(std::unique_ptr<State> state) : m_state(std::move(state)) {}

Clipboard::~Clipboard()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->ask = State::Ask::Quit;
    }
    const uint64_t one = 1;
    if (write(m_state->wake, &one, sizeof one) < 0) {
        // The thread only ends through this wake; without it, it is left to the process end.
        m_state->thread.detach();
        return;
    }
    m_state->thread.join();
    XDestroyWindow(m_state->dpy, m_state->window);
    XCloseDisplay(m_state->dpy);
    close(m_state->wake);
}

bool Clipboard::SetText(std::wstring_view text)
{
    std::string utf8 = X11Hints::ToUtf8(text);
    if (utf8.size() > m_state->maxBytes)
        return false;
    std::string latin1;
    for (wchar_t c : text)
        latin1 += static_cast<unsigned>(c) < 256 ? static_cast<char>(c) : '?';
    std::unique_lock lock(m_state->mutex);
    m_state->utf8Text = std::move(utf8);
    m_state->latin1Text = std::move(latin1);
    m_state->served = false;
    m_state->ask = State::Ask::Take;
    const uint64_t before = m_state->generation;
    const uint64_t one = 1;
    if (write(m_state->wake, &one, sizeof one) < 0)
        return false;
    m_state->changed.wait_for(lock, std::chrono::seconds(2), [&] { return m_state->generation != before; });
    return m_state->owned;
}

bool Clipboard::WaitServed(uint32_t timeoutMs)
{
    std::unique_lock lock(m_state->mutex);
    return m_state->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_state->served; });
}

void Clipboard::Release()
{
    std::unique_lock lock(m_state->mutex);
    m_state->ask = State::Ask::Release;
    const uint64_t before = m_state->generation;
    const uint64_t one = 1;
    if (write(m_state->wake, &one, sizeof one) < 0)
        return;
    m_state->changed.wait_for(lock, std::chrono::seconds(2), [&] { return m_state->generation != before; });
}

bool Clipboard::Owned() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->owned;
}

std::optional<std::wstring> Clipboard::ReadText(uint32_t timeoutMs) const
{
    // A connection of its own: our service thread may be the owner that has to answer.
    Display* dpy = XOpenDisplay(m_state->display.empty() ? nullptr : m_state->display.c_str());
    if (!dpy)
        return std::nullopt;
    const XWindow w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -10, -10, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(dpy, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    const Atom into = XInternAtom(dpy, "TARNUI_CLIPBOARD", False);
    std::optional<std::wstring> result;
    if (XGetSelectionOwner(dpy, clipboard)) {
        XConvertSelection(dpy, clipboard, utf8, into, w, CurrentTime);
        XFlush(dpy);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (bool done = false; !done;) {
            XEvent e;
            if (XCheckTypedWindowEvent(dpy, w, SelectionNotify, &e)) {
                done = true;
                if (e.xselection.property) {
                    Atom type = 0;
                    int format = 0;
                    unsigned long n = 0;
                    unsigned long after = 0;
                    unsigned char* data = nullptr;
                    if (XGetWindowProperty(dpy, w, into, 0, 0x7FFFFFF, True, AnyPropertyType, &type, &format, &n, &after,
                                           &data)
                            == Success
                        && data && format == 8 && type == utf8)
                        result = FromUtf8(data, n);
                    if (data)
                        XFree(data);
                }
                continue;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left.count()));
        }
    }
    XDestroyWindow(dpy, w);
    XCloseDisplay(dpy);
    return result;
}

} // namespace tarn
