#pragma once

#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/WinUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace tarn::test {

struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// One headless host and one recording window class, "TestWindow" (double-clicks on), shared by
// the window-core tests. A test changes behaviour through `handler`: a value it returns is the
// window procedure's answer, nullopt falls through to DefWindowProc.
class HeadlessFixture : public ::testing::Test {
protected:
    using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

    HeadlessFixture()
    {
        s_current = this;
        WNDCLASSEXW wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &HeadlessFixture::Proc;
        wc.lpszClassName = L"TestWindow";
        RegisterClassExW(&wc);
        wc.style = 0;
        wc.lpszClassName = L"PlainWindow";
        RegisterClassExW(&wc);
    }
    ~HeadlessFixture() override { s_current = nullptr; }

    HWND Create(RECT r, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr, DWORD exStyle = 0,
                const wchar_t* title = L"Test", const wchar_t* cls = L"TestWindow")
    {
        return CreateWindowExW(exStyle, cls, title, style, r.left, r.top, r.Width(), r.Height(), parent, nullptr,
                               nullptr, nullptr);
    }

    // The messages hwnd received, in order, keeping only those listed (all when empty).
    std::vector<UINT> Messages(HWND hwnd, std::vector<UINT> only = {}) const
    {
        std::vector<UINT> out;
        for (const auto& s : log) {
            if ((hwnd == nullptr || s.hwnd == hwnd) && (only.empty() || std::find(only.begin(), only.end(), s.msg) != only.end()))
                out.push_back(s.msg);
        }
        return out;
    }
    std::vector<Seen> Of(UINT msg) const
    {
        std::vector<Seen> out;
        for (const auto& s : log) {
            if (s.msg == msg)
                out.push_back(s);
        }
        return out;
    }

    HeadlessHost host;
    std::vector<Seen> log;
    Handler handler;

private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (s_current) {
            s_current->log.push_back({hwnd, msg, wParam, lParam});
            if (s_current->handler) {
                if (auto r = s_current->handler(hwnd, msg, wParam, lParam))
                    return *r;
            }
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    static inline HeadlessFixture* s_current = nullptr;
};

} // namespace tarn::test
