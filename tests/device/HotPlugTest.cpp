// Turning udev's hidraw events into the arrival and removal events that the
// discovery code matches against the catalogue.

#include <gtest/gtest.h>

#include "device/HotPlugMonitor.h"

namespace zq {
namespace {

TEST(HotPlug, UdevEventsBecomeInterfaceNames) {
  struct Case {
    const char* action;
    const char* devnode;
    const char* devpath;
    uint32_t code;
    const char* name;
  };
  const Case cases[] = {
      {"add", "/dev/hidraw3",
       "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:FFF7:5701.0004/hidraw/hidraw3",
       kDeviceArrival, "/dev/hidraw3 0003:FFF7:5701.0004"},
      // On removal the node name may be missing; it follows from the path.
      {"remove", "", "/devices/virtual/misc/uhid/0005:FFF7:5704.0009/hidraw/hidraw7",
       kDeviceRemoveComplete, "/dev/hidraw7 0005:FFF7:5704.0009"},
      {"add", "/dev/hidraw1", "/devices/odd/hidraw1", kDeviceArrival, "/dev/hidraw1"},
      {"change", "/dev/hidraw3", "/devices/x/0003:FFF7:5701.0004/hidraw/hidraw3", 0, ""},
      {"bind", "", "", 0, ""},
  };
  for (const Case& c : cases) {
    DeviceEvent event = MakeHidrawEvent(c.action, c.devnode, c.devpath);
    EXPECT_EQ(event.code, c.code) << c.devpath;
    EXPECT_EQ(event.interface_name, c.name) << c.devpath;
  }
}

TEST(HotPlug, InterfaceNameSplitsBackIntoItsPath) {
  EXPECT_EQ(PathOfInterfaceName("/dev/hidraw3 0003:FFF7:5701.0004"), "/dev/hidraw3");
  EXPECT_EQ(PathOfInterfaceName("/dev/hidraw3"), "/dev/hidraw3");
  EXPECT_TRUE(IsBluetoothInterfaceText("/DEV/HIDRAW7 0005:FFF7:5704.0009"));
  EXPECT_TRUE(IsBluetoothInterfaceText("X{00001812-0000-1000-8000-00805F9B34FB}_KBD"));
  EXPECT_FALSE(IsBluetoothInterfaceText("X{00001812-0000-1000-8000-00805F9B34FB}_MOUSE"));
  EXPECT_FALSE(IsBluetoothInterfaceText("/DEV/HIDRAW3 0003:FFF7:5701.0004"));
}

TEST(HotPlug, MonitorStartsAndStopsWhereUdevExists) {
  HotPlugMonitor monitor;
  if (!monitor.Open()) GTEST_SKIP() << "no udev netlink socket here";
  EXPECT_GE(monitor.Fd(), 0);
  EXPECT_EQ(monitor.ProcessPending(nullptr) >= 0, true);
  ASSERT_TRUE(monitor.Start([](const DeviceEvent&) {}));
  monitor.Stop();  // returns: the thread is woken, not left polling
  monitor.Stop();
}

}  // namespace
}  // namespace zq
