#include "app/DeviceChangePoster.h"
#include "tarnui/platform/HeadlessHost.h"
#include "tarnui/platform/WinConst.h"
#include "tarnui/platform/WinUser.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

using namespace corvane;

namespace {

struct Received {
    tarn::WPARAM event;
    tarn::CString path;
};
DeviceChangePoster* g_poster = nullptr;
std::vector<Received> g_received;

tarn::LRESULT WindowProc(tarn::HWND hwnd, tarn::UINT msg, tarn::WPARAM wParam, tarn::LPARAM lParam)
{
    if (msg == tarn::WM_DEVICECHANGE) {
        if (const auto record = g_poster->Take(lParam); record && record->device_type == 5)
            g_received.push_back({wParam, record->name});
        return 1;
    }
    return tarn::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Notifications from the monitor's thread arrive on the window's thread, in order, each record once.
TEST(DeviceChangePoster, DeliversToTheWindowsThread)
{
    tarn::HeadlessHost host;
    tarn::WNDCLASSEXW wc;
    wc.lpfnWndProc = WindowProc;
    wc.lpszClassName = L"DeviceChangeProbe";
    ASSERT_NE(tarn::RegisterClassExW(&wc), 0);
    tarn::HWND window = tarn::CreateWindowExW(0, L"DeviceChangeProbe", L"", tarn::WS_POPUP, 0, 0, 10, 10, nullptr,
                                              nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    DeviceChangePoster poster(window);
    g_poster = &poster;
    g_received.clear();

    std::thread monitor([&] {
        poster.OnDeviceChange(0x8000, L"\\\\?\\HID#VID_3A71&PID_0201&MI_01#1");
        poster.OnDeviceChange(0x8004, L"\\\\?\\HID#VID_3A71&PID_0201&MI_01#1");
    });
    monitor.join();
    EXPECT_TRUE(g_received.empty()) << "nothing runs on the monitor's thread";
    host.PumpUntilIdle();
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].event, 0x8000u);
    EXPECT_EQ(g_received[1].event, 0x8004u);
    EXPECT_EQ(g_received[1].path, L"\\\\?\\HID#VID_3A71&PID_0201&MI_01#1");
    EXPECT_EQ(poster.Pending(), 0u);
    EXPECT_FALSE(poster.Take(1)) << "a record is taken once";

    tarn::DestroyWindow(window);
    poster.OnDeviceChange(0x8000, L"gone");
    EXPECT_EQ(poster.Pending(), 0u) << "a window that is gone keeps no record";
    g_poster = nullptr;
}

} // namespace
