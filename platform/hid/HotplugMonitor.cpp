#include "platform/hid/HotplugMonitor.h"

#include "platform/hid/DeviceChangeSink.h"

#include <libudev.h>

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <string_view>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::string_view SysPrefix = "/sys";

} // namespace

HotplugMonitor::~HotplugMonitor()
{
    Stop();
}

bool HotplugMonitor::Start(DeviceChangeSink& sink)
{
    if (Running())
        return false;
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0 || udev_monitor_get_fd(m_monitor) < 0) {
        Release();
        return false;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        Release();
        return false;
    }
    // Listening starts before the census, so a node that arrives in between is not missed; one
    // seen twice only refreshes its entry.
    m_translator = DeviceChangeTranslator();
    Remember();
    m_sink = &sink;
    m_stop = false;
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        Release();
        return false;
    }
    return true;
}

void HotplugMonitor::Stop()
{
    if (!Running())
        return;
    m_stop = true;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    m_thread.join();
    Release();
}

void HotplugMonitor::Release()
{
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    m_monitor = nullptr;
    m_udev = nullptr;
    m_wakeFd = -1;
    m_sink = nullptr;
}

// Nodes present before the start must be known, or their removal would lack the interface count.
void HotplugMonitor::Remember()
{
    udev_enumerate* census = udev_enumerate_new(m_udev);
    if (!census)
        return;
    if (udev_enumerate_add_match_subsystem(census, "hidraw") >= 0 && udev_enumerate_scan_devices(census) >= 0) {
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(census))
        {
            const char* name = udev_list_entry_get_name(entry);
            const std::string_view syspath = name ? name : "";
            if (syspath.size() > SysPrefix.size() && syspath.substr(0, SysPrefix.size()) == SysPrefix && syspath[SysPrefix.size()] == '/')
                m_translator.Remember(m_sysfs.FromDevpath(std::string(syspath.substr(SysPrefix.size()))));
        }
    }
    udev_enumerate_unref(census);
}

void HotplugMonitor::Run()
{
    pollfd fds[2] = {{udev_monitor_get_fd(m_monitor), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    while (!m_stop) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        udev_device* device = udev_monitor_receive_device(m_monitor);
        if (!device)
            continue;
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        std::optional<DeviceChangeTranslator::Notification> notification;
        if (action && devpath) {
            const std::string_view act = action;
            // A removed node's sysfs is gone; the translator's memory fills in what is missing.
            HidNodeFacts facts = act == "add" ? m_sysfs.FromDevpath(devpath) : HidNodeFacts{devpath, {}, {}, {}, -1, -1};
            notification = m_translator.Translate(act, facts);
        }
        udev_device_unref(device);
        if (notification)
            m_sink->OnDeviceChange(notification->event, notification->interface_path);
    }
}

} // namespace corvane
