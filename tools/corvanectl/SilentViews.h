#pragma once

#include "app/DeviceTasks.h"
#include "catalogue/LayoutViews.h"
#include "device/ConnectionViews.h"

namespace corvane::ctl {

// The main window's parts that a rescan, a layout load and the device tasks report to; the tool
// has nobody to show them to and prints its own results instead.
class SilentViews : public DeviceListView, public ConnectionPageView, public TaskSink, public LayoutPageView,
                    public ResetPages {
public:
    void ResetAllState() override {}
    void SetDeviceState(int, int) override {}
    void ClosePopups() override {}
    void SetConnectionText(int) override {}
    void RefreshPageSet() override {}
    void SelectTab(int) override {}
    void ShowTabBar(bool) override {}
    void ShowSidebar(bool) override {}
    void ShowPageAreas(bool) override {}
    void SetPageHeader(int, const tarn::CString&) override {}
    void ClearPageHeader() override {}
    void RepaintSidebarAndTabBar() override {}
    void QueueTask(int) override {}
    void SetTabItemVisible(int, bool) override {}
    void SetSliderMaximum(int, int) override {}
    void ShowFirmwareButton(bool) override {}
    void ReloadMacroList() override {}
    void ReloadProfileList() override {}
    void ReloadLightPage() override {}
};

} // namespace corvane::ctl
