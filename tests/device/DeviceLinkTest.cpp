// The program's choice between the real mouse and the simulated one.

#include <gtest/gtest.h>

#include "../platform/TempDir.h"
#include "device/DeviceLink.h"

namespace zq {
namespace {

TEST(DeviceLink, SimulationIsChosenBySwitchOrEnvironment) {
  test::ScopedEnv off("ZQ_SIMULATE", "0");
  const char* plain[] = {"zintor-q57-mouse", "-hide"};
  const char* simulate[] = {"zintor-q57-mouse", "-hide", "--simulate"};
  EXPECT_FALSE(WantsSimulation(2, plain));
  EXPECT_TRUE(WantsSimulation(3, simulate));
  test::ScopedEnv on("ZQ_SIMULATE", "1");
  EXPECT_TRUE(WantsSimulation(2, plain));
}

TEST(DeviceLink, SimulatedLinkPresentsThePluggedMouse) {
  VirtualClock clock;
  DeviceLink link = MakeDeviceLink(true, clock);
  ASSERT_TRUE(link.simulated);
  ASSERT_NE(link.mouse, nullptr);
  auto interfaces = link.backend->Enumerate();
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[2].usage_page, 0xFF01);
  EXPECT_NE(link.backend->Open(interfaces[2].path), nullptr);
}

}  // namespace
}  // namespace zq

namespace zq {
namespace {

TEST(DeviceLink, RealBackendRefusesAPathThatIsNotThere) {
  VirtualClock clock;
  DeviceLink link = MakeDeviceLink(false, clock);
  ASSERT_FALSE(link.simulated);
  EXPECT_EQ(link.mouse, nullptr);
  link.backend->Enumerate();  // whatever this machine has; must not fail
  EXPECT_EQ(link.backend->Open("/dev/hidraw-does-not-exist"), nullptr);
}

}  // namespace
}  // namespace zq
