#pragma once

#include "tarnui/platform/CString.h"

namespace corvane {

// The home page's list of keyboard models.
class DeviceListView {
public:
    virtual ~DeviceListView() = default;
    virtual void ResetAllState() = 0;
    virtual void SetDeviceState(int device_type, int state) = 0;
};

// The parts of the main window a connection change rearranges. Texts are given by number.
class ConnectionPageView {
public:
    static constexpr int ConnectedText = 60;
    static constexpr int NotConnectedText = 61;
    static constexpr int KeyPageTitle = 51;

    virtual ~ConnectionPageView() = default;
    virtual void ClosePopups() = 0;
    virtual void SetConnectionText(int text) = 0;
    virtual void RefreshPageSet() = 0;
    virtual void SelectTab(int position) = 0;
    virtual void ShowTabBar(bool visible) = 0;
    virtual void ShowSidebar(bool visible) = 0;
    virtual void ShowPageAreas(bool visible) = 0;
    virtual void SetPageHeader(int text, const tarn::CString& icon) = 0;
    virtual void ClearPageHeader() = 0;
    virtual void RepaintSidebarAndTabBar() = 0;
};

// Where connection changes put their follow-up work.
class TaskSink {
public:
    virtual ~TaskSink() = default;
    virtual void QueueTask(int code) = 0;
};

} // namespace corvane
