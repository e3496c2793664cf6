// Discovery from the window's side: what RefreshDevices shows for each way
// the mouse can be connected, and which device events queue a refresh.

#include <gtest/gtest.h>

#include "../platform/TempDir.h"
#include "TestRig.h"
#include "device/DeviceDiscovery.h"
#include "device/TaskQueue.h"

namespace zq {
namespace {

using sim::SimMode;

struct RecordingEffects : DiscoveryEffects {
  void SetStatusText(int key) override { status = key; }
  void EnableTabs(bool enabled) override { tabs_enabled = enabled; }
  void SelectTab(int index) override { tab = index; }
  void ShowNoDevice(bool shown) override { no_device = shown; }
  void SetBatteryInfo(int level, int state) override { battery.push_back({level, state}); }
  void SetMessage(int key) override { message = key; }
  void QueueTask(int code) override { tasks.Push(code); }
  void OpenSettingsDatabase(const std::string& attr) override { databases.push_back(attr); }

  int status = -1;
  bool tabs_enabled = true;
  int tab = -1;
  bool no_device = false;
  int message = -1;
  std::vector<std::pair<int, int>> battery;
  std::vector<std::string> databases;
  TaskQueue tasks;
};

Catalogue MouseCatalogue(int type = kMouseDeviceType, const char* cable_interface = "FFF7:5701") {
  Catalogue c;
  CatalogueRecord mouse;
  mouse.name = "Zintor Q57";
  mouse.device_type = type;
  mouse.device_attr = "Q57";
  c.mice.push_back(mouse);
  struct Mode {
    int value;
    uint16_t pid;
    const char* hid_interface;
  };
  const Mode modes[] = {{0, 0x5701, cable_interface},
                        {1, 0x5702, "FFF7:5702"},
                        {3, 0x5703, "FFF7:5703"},
                        {2, 0x5704, "FFF7:5704"}};
  for (const Mode& m : modes) {
    CatalogueRecord record = mouse;
    record.value = m.value;
    record.vid = 0xFFF7;
    record.pid = m.pid;
    record.hid_interface = m.hid_interface;
    c.modes.push_back(record);
  }
  return c;
}

class Discovery : public ::testing::Test {
 protected:
  Discovery()
      : mouse_(std::make_shared<sim::SimulatedMouse>(clock_)),
        manager_(std::make_shared<sim::SimBackend>(mouse_), clock_),
        registry_(dir_.path()),
        discovery_(manager_, registry_, effects_) {
    registry_.CreateKey();
  }

  void Start(Catalogue catalogue = MouseCatalogue()) { discovery_.StartWith(std::move(catalogue)); }

  // What the worker does with the queued codes: refresh for arrival and
  // removal. Returns the codes it took.
  std::vector<int> RunQueuedRefreshes() {
    std::vector<int> taken;
    while (auto code = effects_.tasks.TryPop()) {
      taken.push_back(*code);
      if (*code == kTaskArrival || *code == kTaskRemoval) discovery_.RefreshDevices();
    }
    return taken;
  }

  VirtualClock clock_;
  std::shared_ptr<sim::SimulatedMouse> mouse_;
  HidDeviceManager manager_;
  test::TempDir dir_;
  Registry registry_;
  RecordingEffects effects_;
  DeviceDiscovery discovery_;
};

TEST_F(Discovery, StartUpStoresTheTypeAndOpensItsDatabase) {
  Start();
  EXPECT_EQ(registry_.Read("DeviceType"), "101");
  EXPECT_EQ(effects_.databases, std::vector<std::string>{"Q57"});
  EXPECT_EQ(manager_.DeviceType(), kMouseDeviceType);
  EXPECT_EQ(discovery_.SelectedDeviceType(), kMouseDeviceType);
  EXPECT_EQ(discovery_.RecordsOfType().size(), 4u);
  EXPECT_EQ(effects_.battery.back(), (std::pair<int, int>{0, 2}));
}

TEST_F(Discovery, StartUpWithoutRegistryKeyStillUsesTheDevicesDatabase) {
  test::TempDir elsewhere;
  Registry missing(elsewhere / "absent");
  DeviceDiscovery discovery(manager_, missing, effects_);
  discovery.StartWith(MouseCatalogue());
  EXPECT_FALSE(missing.KeyExists());
  EXPECT_EQ(effects_.databases, std::vector<std::string>{"Q57"});
}

struct ViewCase {
  const char* what;
  bool plugged;
  SimMode mode;
  bool mouse_on;
  int status;
  bool tabs_enabled;
  int tab;
  bool no_device;
  bool present;
  bool online;
  int message;
  friend void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.what; }
};

class RefreshView : public Discovery, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(RefreshView, ShowsTheConnection) {
  const ViewCase& c = GetParam();
  mouse_->SetMode(c.mode);
  mouse_->SetMouseOn(c.mouse_on);
  if (c.plugged) mouse_->Plug();
  discovery_.SetMouseOnline(true);  // left over from an earlier connection
  Start();
  EXPECT_EQ(effects_.status, c.status);
  EXPECT_EQ(effects_.tabs_enabled, c.tabs_enabled);
  EXPECT_EQ(effects_.tab, c.tab);
  EXPECT_EQ(effects_.no_device, c.no_device);
  EXPECT_EQ(discovery_.DevicePresent(), c.present);
  EXPECT_EQ(discovery_.MouseOnline(), c.online);
  EXPECT_EQ(effects_.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Connections, RefreshView,
    ::testing::Values(
        ViewCase{"nothing", false, SimMode::Cable, true, 50, false, 0, true, false, false, 0},
        ViewCase{"cable", true, SimMode::Cable, true, 51, true, 1, false, true, true, 0},
        ViewCase{"receiver", true, SimMode::Receiver, true, 52, true, 1, false, true, true, 0},
        ViewCase{"second receiver", true, SimMode::SecondReceiver, true, 52, true, 1, false, true,
                 true, 0},
        ViewCase{"mouse off behind receiver", true, SimMode::Receiver, false, 53, false, 0, true,
                 true, false, 0},
        ViewCase{"Bluetooth", true, SimMode::Bluetooth, true, 54, false, 0, true, true, true, 56}),
    [](const ::testing::TestParamInfo<ViewCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST_F(Discovery, OtherDeviceTypeContributesNothing) {
  mouse_->Plug();
  Start(MouseCatalogue(102));
  EXPECT_FALSE(manager_.IsKnown(0xFFF7, 0x5701));
  EXPECT_TRUE(manager_.OpenedDevices().empty());
  EXPECT_EQ(effects_.status, kTextNoDevice);
  EXPECT_TRUE(effects_.databases == std::vector<std::string>{""});
}

TEST_F(Discovery, EventsOtherThanArrivalAndRemovalAreIgnored) {
  Start();
  EXPECT_EQ(discovery_.UpdateUSBDevice(0x0007, "sim:hidraw5 0003:FFF7:5701.0001"), 0);
  EXPECT_TRUE(effects_.tasks.Empty());
}

TEST_F(Discovery, RemovalWhileNoDeviceIsIgnored) {
  Start();
  EXPECT_EQ(discovery_.UpdateUSBDevice(kDeviceRemoveComplete, "sim:hidraw5 0003:FFF7:5701.0001"),
            1);
  EXPECT_TRUE(effects_.tasks.Empty());
}

TEST_F(Discovery, UnrelatedInterfacesQueueNothing) {
  mouse_->Plug();
  Start();
  ASSERT_TRUE(discovery_.DevicePresent());
  discovery_.UpdateUSBDevice(kDeviceRemoveComplete, "/dev/hidraw9 0003:046D:C077.0001");
  discovery_.UpdateUSBDevice(kDeviceArrival, "/dev/hidraw9 0003:046D:C077.0001");
  EXPECT_TRUE(effects_.tasks.Empty());
}

TEST_F(Discovery, EmptyInterfaceTextMatchesEveryPath) {
  mouse_->Plug();
  Start(MouseCatalogue(kMouseDeviceType, ""));
  discovery_.UpdateUSBDevice(kDeviceRemoveComplete, "/dev/hidraw9 0003:046D:C077.0001");
  EXPECT_EQ(effects_.tasks.Snapshot(), std::vector<int>{kTaskRemoval});
}

TEST_F(Discovery, BluetoothArrivalAndRemovalByPathText) {
  mouse_->Plug();
  Start();
  const char* ble =
      "sim:ble-9/{00001812-0000-1000-8000-00805f9b34fb}_dev_vid&02fff7_pid&5704_kbd "
      "0005:FFF7:5704.0009";
  discovery_.UpdateUSBDevice(kDeviceArrival, ble);
  discovery_.UpdateUSBDevice(kDeviceRemoveComplete, ble);
  EXPECT_EQ(effects_.tasks.Snapshot(), (std::vector<int>{kTaskArrival, kTaskRemoval}));
}

TEST_F(Discovery, PlugSwitchAndUnplugFollowTheMouse) {
  Start();
  mouse_->SetEventListener([&](const DeviceEvent& e) {
    discovery_.UpdateUSBDevice(e.code, e.interface_name);
  });
  struct Step {
    const char* what;
    std::function<void()> act;
    int expected_task;
    int mode;
    int status;
  };
  const Step steps[] = {
      {"plug cable", [&] { mouse_->Plug(); }, kTaskArrival, kModeCable, kTextCable},
      {"switch to receiver", [&] { mouse_->SetMode(SimMode::Receiver); }, kTaskRemoval,
       kModeReceiver, kTextReceiver},
      {"switch to second receiver", [&] { mouse_->SetMode(SimMode::SecondReceiver); },
       kTaskRemoval, kModeSecondReceiver, kTextReceiver},
      {"switch to Bluetooth", [&] { mouse_->SetMode(SimMode::Bluetooth); }, kTaskRemoval,
       kModeBluetooth, kTextBluetooth},
      {"back to cable", [&] { mouse_->SetMode(SimMode::Cable); }, kTaskRemoval, kModeCable,
       kTextCable},
      {"unplug", [&] { mouse_->Unplug(); }, kTaskRemoval, kModeNone, kTextNoDevice},
  };
  for (const Step& step : steps) {
    step.act();
    std::vector<int> taken = RunQueuedRefreshes();
    ASSERT_FALSE(taken.empty()) << step.what;
    EXPECT_EQ(taken.front(), step.expected_task) << step.what;
    EXPECT_EQ(manager_.ConnectionMode(), step.mode) << step.what;
    EXPECT_EQ(effects_.status, step.status) << step.what;
  }
}

TEST_F(Discovery, ReceiverArrivalIsNoticed) {
  mouse_->SetMode(SimMode::Receiver);
  Start();
  mouse_->SetEventListener([&](const DeviceEvent& e) {
    discovery_.UpdateUSBDevice(e.code, e.interface_name);
  });
  mouse_->Plug();
  EXPECT_EQ(effects_.tasks.Snapshot(), std::vector<int>{kTaskArrival});
}

}  // namespace
}  // namespace zq
