// Which interface the manager picks when several connection modes are
// present, and what enumeration opens.

#include <gtest/gtest.h>

#include <cctype>

#include "TestRig.h"

namespace zq {
namespace {

using sim::SimMode;

struct Present {
  SimMode mode;
  bool mouse_on;
};

struct RankCase {
  const char* what;
  std::vector<Present> devices;
  int mode;
  friend void PrintTo(const RankCase& c, std::ostream* os) { *os << c.what; }
};

class Ranking : public ::testing::TestWithParam<RankCase> {};

TEST_P(Ranking, PicksTheDocumentedMode) {
  const RankCase& c = GetParam();
  VirtualClock clock;
  auto composite = std::make_shared<test::CompositeBackend>();
  std::vector<std::shared_ptr<sim::SimulatedMouse>> mice;
  int n = 0;
  for (const Present& p : c.devices) {
    std::string prefix = "dev" + std::to_string(n++);
    auto mouse = std::make_shared<sim::SimulatedMouse>(clock, test::IdsWithPrefix(prefix.c_str()));
    mouse->SetMode(p.mode);
    mouse->SetMouseOn(p.mouse_on);
    mouse->Plug();
    composite->Add(std::make_shared<sim::SimBackend>(mouse));
    mice.push_back(mouse);
  }
  HidDeviceManager manager(composite, clock);
  test::AddCatalogueIds(manager);
  manager.SetDeviceType(kMouseDeviceType);
  manager.EnumerateDevice();
  manager.SetOpen();
  for (auto& mouse : mice) mouse->ClearRequests();

  EXPECT_EQ(manager.ConnectionMode(), c.mode);
  const bool configurable = c.mode == kModeCable || c.mode == kModeReceiver ||
                            c.mode == kModeSecondReceiver;
  EXPECT_EQ(manager.CurrentDevice() != nullptr, configurable);

  // A transaction reaches exactly the chosen device, and none at all over
  // Bluetooth or without a usable mode.
  std::array<uint8_t, 65> buffer = test::Command(0x30, 0xA5, 0x2E);
  EXPECT_EQ(manager.SendCommand(buffer), configurable);
  size_t reached = 0;
  for (size_t i = 0; i < mice.size(); ++i) {
    if (mice[i]->RequestCount() == 0) continue;
    ++reached;
    EXPECT_EQ(static_cast<int>(c.devices[i].mode), c.mode);
  }
  EXPECT_EQ(reached, configurable ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Ranking,
    ::testing::Values(
        RankCase{"none", {}, kModeNone},
        RankCase{"cable", {{SimMode::Cable, true}}, kModeCable},
        RankCase{"cable beats receiver", {{SimMode::Receiver, true}, {SimMode::Cable, true}},
                 kModeCable},
        RankCase{"receiver online", {{SimMode::Receiver, true}}, kModeReceiver},
        RankCase{"receiver offline", {{SimMode::Receiver, false}}, kModeNone},
        RankCase{"receiver offline, second receiver online",
                 {{SimMode::Receiver, false}, {SimMode::SecondReceiver, true}},
                 kModeSecondReceiver},
        RankCase{"receiver beats second receiver",
                 {{SimMode::SecondReceiver, true}, {SimMode::Receiver, true}}, kModeReceiver},
        RankCase{"Bluetooth", {{SimMode::Bluetooth, true}}, kModeBluetooth},
        RankCase{"Bluetooth beats receiver", {{SimMode::Receiver, true}, {SimMode::Bluetooth, true}},
                 kModeBluetooth}),
    [](const ::testing::TestParamInfo<RankCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST(Enumeration, OpensOnlyCommandCollectionsOfKnownIds) {
  test::Rig rig;
  auto opened = rig.manager.OpenedDevices();
  ASSERT_EQ(opened.size(), 1u);  // of three cable interfaces, the command one
  EXPECT_EQ(opened[0].mode, kModeCable);
  EXPECT_EQ(opened[0].online, 1);
  EXPECT_EQ(opened[0].product, "Zintor Q57 Gaming Mouse");
  EXPECT_EQ(opened[0].manufacturer, "Zintor");
  EXPECT_EQ(rig.manager.FindOpened(0xFFF7, 0x5701, kModeCable), 0);
  EXPECT_EQ(rig.manager.FindOpened(0xFFF7, 0x5701, kModeReceiver), -1);

  rig.manager.ClearKnown();
  rig.Refresh();
  EXPECT_TRUE(rig.manager.OpenedDevices().empty());
  std::vector<OpenedDevice> list;
  EXPECT_FALSE(rig.manager.CollectOfType(list));
}

TEST(Enumeration, BluetoothEntryHasNoHandle) {
  test::Rig rig(SimMode::Bluetooth);
  auto opened = rig.manager.OpenedDevices();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].mode, kModeBluetooth);
  EXPECT_EQ(opened[0].handle, nullptr);
  EXPECT_EQ(opened[0].device_type, kMouseDeviceType);
}

TEST(Enumeration, OtherDeviceTypeIsNeverRanked) {
  test::Rig rig;
  rig.manager.SetDeviceType(102);
  EXPECT_EQ(rig.manager.ConnectionMode(), kModeNone);
  std::vector<OpenedDevice> list;
  EXPECT_TRUE(rig.manager.CollectOfType(list));
  EXPECT_TRUE(list.empty());
  rig.manager.SetDeviceType(0);  // type 0 collects everything
  EXPECT_TRUE(rig.manager.CollectOfType(list));
  EXPECT_EQ(list.size(), 1u);
}

TEST(KnownTable, LookupsOfUnknownPairs) {
  test::Rig rig;
  EXPECT_TRUE(rig.manager.IsKnown(0xFFF7, 0x5703));
  EXPECT_EQ(rig.manager.TypeOf(0xFFF7, 0x5703), kMouseDeviceType);
  EXPECT_EQ(rig.manager.ModeOf(0xFFF7, 0x5703), kModeSecondReceiver);
  EXPECT_FALSE(rig.manager.IsKnown(0x1234, 0x5703));
  EXPECT_EQ(rig.manager.TypeOf(0x1234, 0x5703), 0);
  EXPECT_EQ(rig.manager.ModeOf(0x1234, 0x5703), 0);
}

}  // namespace
}  // namespace zq
