#include "device/ConnectionState.h"

#include "catalogue/DeviceRecord.h"
#include "device/ConnectionViews.h"
#include "device/KeyboardDevice.h"

namespace corvane {

namespace {

// Bluetooth LE keyboards list their HID-over-GATT service; those notifications are not ours.
constexpr const wchar_t* GattHidService = L"00001812-0000-1000-8000-00805F9B34FB";

} // namespace

ConnectionState::ConnectionState(KeyboardDevice& device, std::vector<DeviceRecord>& modes, DeviceListView& list,
                                 ConnectionPageView& page, TaskSink& tasks, int commandType)
    : m_device(device), m_modes(modes), m_list(list), m_page(page), m_tasks(tasks), m_commandType(commandType)
{
}

void ConnectionState::FirstConnection(const std::function<void()>& afterFirst)
{
    if (m_firstDone.exchange(true))
        return;
    RescanAndSetUp();
    if (afterFirst)
        afterFirst();
}

void ConnectionState::RescanAndSetUp()
{
    // Other threads' primitives wait until the interfaces and the connection mode are settled,
    // but no view is called with the device held: a view may wait for the thread that waits
    // for the device.
    std::vector<int> matched;
    {
        auto hold = m_device.Hold();
        matched = ScanDevice();
        SelectCommandInterface();
    }
    ShowScan(matched);
    ShowPages();
}

void ConnectionState::Rescan()
{
    ShowScan(ScanDevice());
}

void ConnectionState::PageSetUp()
{
    SelectCommandInterface();
    ShowPages();
}

std::vector<int> ConnectionState::ScanDevice()
{
    auto hold = m_device.Hold();
    m_connected = false;
    m_device.CloseAll();
    m_device.OpenAll();
    m_device.SetOpened(true);
    m_device.SelectDeviceType(0);
    std::vector<KeyboardDevice::Interface> found;
    m_device.ListInterfaces(found);
    std::vector<int> matched;
    for (DeviceRecord& mode : m_modes) {
        if (m_device.FindInterface(mode.vid, mode.pid, mode.name, mode.mode) >= 0) {
            m_connected = true;
            mode.connected = 1;
            matched.push_back(mode.device_type);
        }
    }
    m_present = !found.empty();
    return matched;
}

void ConnectionState::SelectCommandInterface()
{
    if (!m_present)
        return;
    auto hold = m_device.Hold();
    m_device.SelectDeviceType(m_commandType);
    m_connectionMode = m_device.GetConnectionMode();
}

void ConnectionState::ShowScan(const std::vector<int>& matched)
{
    m_list.ResetAllState();
    for (int device_type : matched)
        m_list.SetDeviceState(device_type, 1);
}

void ConnectionState::ShowPages()
{
    m_page.ClosePopups();
    if (!m_present) {
        m_page.SetConnectionText(ConnectionPageView::NotConnectedText);
        m_page.SelectTab(0);
        m_page.ShowSidebar(false);
        m_page.ShowTabBar(false);
        m_page.ClearPageHeader();
        return;
    }
    m_page.SetConnectionText(ConnectionPageView::ConnectedText);
    m_page.RefreshPageSet();
    const int mode = m_connectionMode;
    if ((mode == 1 || mode == 2) && !m_connected) {
        m_page.SetConnectionText(ConnectionPageView::NotConnectedText);
        m_page.SelectTab(0);
        m_page.ShowTabBar(false);
        m_page.ShowSidebar(false);
        m_page.ClearPageHeader();
        return;
    }
    m_page.ShowTabBar(true);
    m_page.ShowSidebar(true);
    m_page.ShowPageAreas(true);
    m_page.SetPageHeader(ConnectionPageView::KeyPageTitle, L"icon/icon_keyboard.png");
    m_page.SelectTab(1);
    m_page.RepaintSidebarAndTabBar();
    m_tasks.QueueTask(TaskFirmwareCheck);
    m_tasks.QueueTask(TaskLoadPages);
}

void ConnectionState::OnDeviceChange(unsigned event, const tarn::CString& interface_path)
{
    if (event != DeviceArrival && event != DeviceRemoveComplete)
        return;
    tarn::CString name = interface_path;
    name.MakeUpper();
    const bool gatt = name.Find(GattHidService) >= 0;
    for (DeviceRecord& mode : m_modes) {
        if (event == DeviceRemoveComplete && mode.connected != 1)
            continue;
        if (gatt)
            return;
        if (name.Find(mode.hid_interface.view()) < 0)
            continue;
        if (event == DeviceArrival) {
            m_tasks.QueueTask(TaskArrival);
        } else {
            mode.connected = 0;
            m_tasks.QueueTask(TaskRemoval);
        }
        return;
    }
}

} // namespace corvane
