#pragma once
// Hot-plug on Linux: a libudev monitor on the hidraw subsystem that turns
// "add" and "remove" into device arrival and removal events carrying the
// interface name (the /dev/hidrawN node, then the kernel's HID device name,
// see MakeInterfaceName), ready for DeviceDiscovery::UpdateUSBDevice.
//
// Two ways to run it:
//  - in the UI loop: Open(), watch Fd() for readability (a QSocketNotifier),
//    and call ProcessPending() there; events then arrive on the UI thread;
//  - on a thread of its own: Start(callback); the callback runs on that
//    thread, so the shell marshals it to the UI thread (a queued call).

#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "device/HidBackend.h"

struct udev;
struct udev_monitor;

namespace zq {

class HotPlugMonitor {
 public:
  using Callback = std::function<void(const DeviceEvent&)>;

  HotPlugMonitor();
  ~HotPlugMonitor();
  HotPlugMonitor(const HotPlugMonitor&) = delete;
  HotPlugMonitor& operator=(const HotPlugMonitor&) = delete;

  // Connects to udev; false where there is none (a container, no netlink).
  bool Open();
  bool IsOpen() const { return monitor_ != nullptr; }
  // Readable when events are waiting; -1 when not open.
  int Fd() const;
  // Delivers every waiting event; returns how many were delivered.
  int ProcessPending(const Callback& callback);

  // Runs the monitor on its own thread until Stop (or destruction).
  bool Start(Callback callback);
  void Stop();

 private:
  void Close();

  struct udev* udev_ = nullptr;
  struct udev_monitor* monitor_ = nullptr;
  std::thread thread_;
  int wake_[2] = {-1, -1};
};

// The kernel's HID device name in a hidraw node's device path:
// "/devices/.../0003:FFF7:5701.0004/hidraw/hidraw3" gives
// "0003:FFF7:5701.0004"; "" when the path has no such part.
std::string HidNameFromDevpath(std::string_view devpath);

// The event for a udev action on a hidraw node; code 0 for other actions.
DeviceEvent MakeHidrawEvent(std::string_view action, std::string_view devnode,
                            std::string_view devpath);

}  // namespace zq
