#pragma once

#include "platform/hid/DeviceChangeTranslator.h"
#include "platform/hid/SysfsHidReader.h"

#include <atomic>
#include <thread>

struct udev;
struct udev_monitor;

namespace corvane {

class DeviceChangeSink;

// Watches hidraw nodes come and go through udev, on a thread of its own, and tells a sink.
// It listens to udev's broadcasts rather than the kernel's, because udev sends them only once
// its rules (and the uaccess ACL) are applied, so an arrived node can be opened at once.
class HotplugMonitor {
public:
    explicit HotplugMonitor(SysfsHidReader sysfs = SysfsHidReader()) : m_sysfs(std::move(sysfs)) {}
    ~HotplugMonitor();
    HotplugMonitor(const HotplugMonitor&) = delete;
    HotplugMonitor& operator=(const HotplugMonitor&) = delete;

    // False when it runs already or udev's netlink socket cannot be had; the sink must outlive
    // the monitor's run.
    bool Start(DeviceChangeSink& sink);
    // Ends the thread and waits for it; a notification being delivered completes first. Not to
    // be called from the sink, which runs on that thread.
    void Stop();
    bool Running() const { return m_thread.joinable(); }

private:
    void Run();
    void Remember();
    void Release();

    SysfsHidReader m_sysfs;
    DeviceChangeTranslator m_translator;  // used by the monitor thread only while it runs
    DeviceChangeSink* m_sink = nullptr;
    ::udev* m_udev = nullptr;
    ::udev_monitor* m_monitor = nullptr;
    int m_wakeFd = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace corvane
