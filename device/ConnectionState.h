#pragma once

#include "tarnui/platform/CString.h"

#include <atomic>
#include <functional>
#include <vector>

namespace corvane {

class ConnectionPageView;
class DeviceListView;
class KeyboardDevice;
class TaskSink;
struct DeviceRecord;

// Whether the keyboard is there and over which link: the rescan behind tasks 1, 2 and 3, the
// page set-up that follows it, and the hot-plug notifications that queue those tasks.
class ConnectionState {
public:
    static constexpr unsigned DeviceArrival = 0x8000;
    static constexpr unsigned DeviceRemoveComplete = 0x8004;
    static constexpr int ProductDeviceType = 201;
    static constexpr int TaskFirmwareCheck = 13;
    static constexpr int TaskLoadPages = 5;
    static constexpr int TaskArrival = 2;
    static constexpr int TaskRemoval = 3;

    // `commandType` is the model whose interfaces take commands once a keyboard is found: the
    // product's own, unless a tool is told otherwise.
    ConnectionState(KeyboardDevice& device, std::vector<DeviceRecord>& modes, DeviceListView& list,
                    ConnectionPageView& page, TaskSink& tasks, int commandType = ProductDeviceType);

    // Task 1: runs once per process; `afterFirst` starts what waits for the first connection.
    void FirstConnection(const std::function<void()>& afterFirst);
    // Tasks 2 and 3.
    void RescanAndSetUp();
    void Rescan();
    void PageSetUp();
    // Only arrival and removal are acted on; paths are matched upper-cased.
    void OnDeviceChange(unsigned event, const tarn::CString& interface_path);

    bool Present() const { return m_present; }
    bool Connected() const { return m_connected; }
    int ConnectionMode() const { return m_connectionMode; }

private:
    // The device side of a rescan; answers the device types of the matched modes.
    std::vector<int> ScanDevice();
    void SelectCommandInterface();
    void ShowScan(const std::vector<int>& matched);
    void ShowPages();

    KeyboardDevice& m_device;
    std::vector<DeviceRecord>& m_modes;
    DeviceListView& m_list;
    ConnectionPageView& m_page;
    TaskSink& m_tasks;
    const int m_commandType;
    std::atomic<bool> m_present = false;
    std::atomic<bool> m_connected = false;
    std::atomic<int> m_connectionMode = -1;
    std::atomic<bool> m_firstDone = false;
};

} // namespace corvane
