#pragma once

#include "tarnui/platform/WinUser.h"
#include "tarnui/platform/X11Session.h"

// gtest first: Xlib's macros (None, Bool) break its templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace tarn::test {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// An X11 session on the test run's display, a recording window class and a second connection
// that looks at the server the way another client would. Skips when no display opens.
class X11Fixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_session = X11Session::Open();
        if (!m_session)
            GTEST_SKIP() << "no X display could be opened (DISPLAY is '" << (getenv("DISPLAY") ? getenv("DISPLAY") : "")
                         << "'); run under Xvfb, as scripts/run-tests.sh does";
        m_probe = XOpenDisplay(nullptr);
        ASSERT_NE(m_probe, nullptr);
        s_current = this;
        WNDCLASSEXW wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &X11Fixture::Proc;
        wc.lpszClassName = L"X11Test";
        RegisterClassExW(&wc);
    }

    void TearDown() override
    {
        for (HWND h : m_windows)
            DestroyWindow(h);
        Pump(50);
        m_session.reset();
        if (m_probe)
            XCloseDisplay(m_probe);
        s_current = nullptr;
    }

    HWND Create(RECT r, DWORD exStyle = 0, HWND owner = nullptr, const wchar_t* title = L"X11 test")
    {
        HWND h = CreateWindowExW(exStyle, L"X11Test", title, WS_POPUP | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(),
                                 owner, nullptr, nullptr, nullptr);
        if (h)
            m_windows.push_back(h);
        return h;
    }

    ::Window Native(HWND h) const { return static_cast<::Window>(m_session->NativeWindow(h)); }

    // Pumps the loop on real time until pred holds or ms passed; answers pred.
    bool PumpUntil(const std::function<bool()>& pred, int ms = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (pred())
                return true;
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    void Pump(int ms) { PumpUntil([] { return false; }, ms); }

    bool Viewable(HWND h)
    {
        XWindowAttributes a;
        return XGetWindowAttributes(m_probe, Native(h), &a) && a.map_state == IsViewable;
    }

    void Fill(HWND h, RECT r, uint32_t argb)
    {
        int w = 0;
        int ht = 0;
        int stride = 0;
        uint32_t* px = m_session->Pixels(h, &w, &ht, &stride);
        ASSERT_NE(px, nullptr);
        for (int y = std::max(0, r.top); y < std::min(ht, r.bottom); ++y)
            for (int x = std::max(0, r.left); x < std::min(w, r.right); ++x)
                px[y * stride + x] = argb;
    }

    uint32_t ReadPixel(HWND h, int x, int y)
    {
        XImage* img = XGetImage(m_probe, Native(h), x, y, 1, 1, ~0ul, ZPixmap);
        if (!img)
            return 0xDEADBEEF;
        const auto v = static_cast<uint32_t>(XGetPixel(img, 0, 0));
        XDestroyImage(img);
        return v;
    }

    std::vector<Seen> SeenOf(HWND h, UINT msg) const
    {
        std::vector<Seen> out;
        for (const auto& s : m_seen)
            if (s.hwnd == h && s.msg == msg)
                out.push_back(s);
        return out;
    }

    std::unique_ptr<X11Session> m_session;
    Display* m_probe = nullptr;
    std::vector<HWND> m_windows;
    std::vector<Seen> m_seen;

private:
    static LRESULT Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (s_current)
            s_current->m_seen.push_back({h, msg, wp, lp});
        return DefWindowProcW(h, msg, wp, lp);
    }
    static inline X11Fixture* s_current = nullptr;
};

} // namespace tarn::test
