#include "tarnui/platform/Clipboard.h"
#include "tarnui/platform/x11/tests/X11Fixture.h"

#include <X11/Xatom.h>

#include <chrono>
#include <thread>

namespace tarn::test {
namespace {

using X11Clipboard = X11Fixture;

// Asks the clipboard's owner for target as another program does; the bytes and their type.
std::pair<std::string, Atom> Fetch(Display* dpy, const char* target)
{
    const ::Window w = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    const Atom into = XInternAtom(dpy, "PROBE", False);
    XConvertSelection(dpy, XInternAtom(dpy, "CLIPBOARD", False), XInternAtom(dpy, target, False), into, w, CurrentTime);
    XFlush(dpy);
    std::pair<std::string, Atom> out{"", 0};
    XEvent e;
    for (int i = 0; i < 500 && !XCheckTypedWindowEvent(dpy, w, SelectionNotify, &e); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (e.type == SelectionNotify && e.xselection.property) {
        Atom type = 0;
        int format = 0;
        unsigned long n = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(dpy, w, into, 0, 4096, True, AnyPropertyType, &type, &format, &n, &after, &data);
        const size_t bytes = format == 32 ? n * sizeof(long) : n;
        out = {std::string(reinterpret_cast<char*>(data), bytes), type};
        XFree(data);
    }
    XDestroyWindow(dpy, w);
    return out;
}

TEST_F(X11Clipboard, OwnerServesTextToAnotherConnectionUntilSomeoneElseTakesIt)
{
    auto board = Clipboard::Open();
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->SetText(L"Gr\u00fc\u00dfe \u2713"));
    EXPECT_TRUE(board->Owned());
    EXPECT_FALSE(board->WaitServed(0));

    const auto utf8 = Fetch(m_probe, "UTF8_STRING");
    EXPECT_EQ(utf8.first, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x9C\x93");
    EXPECT_EQ(utf8.second, XInternAtom(m_probe, "UTF8_STRING", False));
    EXPECT_TRUE(board->WaitServed(1000));
    EXPECT_EQ(Fetch(m_probe, "STRING").first, "Gr\xFC\xDF" "e ?");
    const auto targets = Fetch(m_probe, "TARGETS");
    EXPECT_EQ(targets.second, XA_ATOM);
    EXPECT_EQ(targets.first.size(), 4 * sizeof(long));
    EXPECT_EQ(Fetch(m_probe, "image/png").first, "");

    EXPECT_EQ(board->ReadText(), std::wstring(L"Gr\u00fc\u00dfe \u2713"));

    // Another program copies: we lose the clipboard and read its text.
    auto other = Clipboard::Open();
    ASSERT_TRUE(other->SetText(L"theirs"));
    for (int i = 0; i < 200 && board->Owned(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(board->Owned());
    EXPECT_EQ(board->ReadText(), std::wstring(L"theirs"));

    other->Release();
    EXPECT_FALSE(other->Owned());
    EXPECT_EQ(board->ReadText(200), std::nullopt);
    EXPECT_FALSE(board->SetText(std::wstring(8u << 20, L'x')));
}

} // namespace
} // namespace tarn::test
