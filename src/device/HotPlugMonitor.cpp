#include "device/HotPlugMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include "platform/Log.h"

namespace zq {

std::string HidNameFromDevpath(std::string_view devpath) {
  // The hid device is the parent of the "hidraw" class folder. Taken from
  // the path rather than from the parent device, because on removal the
  // parent is already gone from sysfs.
  const size_t marker = devpath.rfind("/hidraw/");
  if (marker == std::string_view::npos || marker == 0) return {};
  const size_t start = devpath.rfind('/', marker - 1);
  if (start == std::string_view::npos) return {};
  return std::string(devpath.substr(start + 1, marker - start - 1));
}

DeviceEvent MakeHidrawEvent(std::string_view action, std::string_view devnode,
                            std::string_view devpath) {
  DeviceEvent event;
  if (action == "add") event.code = kDeviceArrival;
  else if (action == "remove") event.code = kDeviceRemoveComplete;
  else return event;
  std::string node(devnode);
  if (node.empty()) {
    // A removal may come without the node name; hidraw nodes are named
    // after their sysfs entry.
    const size_t slash = devpath.rfind('/');
    if (slash != std::string_view::npos) node = "/dev/" + std::string(devpath.substr(slash + 1));
  }
  event.interface_name = MakeInterfaceName(node, HidNameFromDevpath(devpath));
  return event;
}

HotPlugMonitor::HotPlugMonitor() = default;

HotPlugMonitor::~HotPlugMonitor() {
  Stop();
  Close();
}

bool HotPlugMonitor::Open() {
  if (monitor_) return true;
  udev_ = udev_new();
  if (!udev_) return false;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (!monitor_ ||
      udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    Log(LogLevel::Warning, "no udev monitor: hot-plug events will not be seen");
    Close();
    return false;
  }
  return true;
}

void HotPlugMonitor::Close() {
  if (monitor_) udev_monitor_unref(monitor_);
  if (udev_) udev_unref(udev_);
  monitor_ = nullptr;
  udev_ = nullptr;
}

int HotPlugMonitor::Fd() const { return monitor_ ? udev_monitor_get_fd(monitor_) : -1; }

int HotPlugMonitor::ProcessPending(const Callback& callback) {
  if (!monitor_) return 0;
  int delivered = 0;
  for (;;) {
    pollfd fd{udev_monitor_get_fd(monitor_), POLLIN, 0};
    if (poll(&fd, 1, 0) <= 0) break;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device) break;
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    const char* path = udev_device_get_devpath(device);
    DeviceEvent event = MakeHidrawEvent(action ? action : "", node ? node : "", path ? path : "");
    udev_device_unref(device);
    if (event.code == 0) continue;
    if (callback) callback(event);
    ++delivered;
  }
  return delivered;
}

bool HotPlugMonitor::Start(Callback callback) {
  if (thread_.joinable()) return true;
  if (!Open()) return false;
  if (pipe(wake_) != 0) return false;
  thread_ = std::thread([this, callback = std::move(callback)] {
    for (;;) {
      pollfd fds[2] = {{Fd(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) continue;
      if (fds[1].revents) break;
      if (fds[0].revents) ProcessPending(callback);
    }
  });
  return true;
}

void HotPlugMonitor::Stop() {
  if (thread_.joinable()) {
    const char byte = 1;
    if (write(wake_[1], &byte, 1) != 1) Log(LogLevel::Warning, "hot-plug thread not woken");
    thread_.join();
  }
  for (int& fd : wake_) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

}  // namespace zq
