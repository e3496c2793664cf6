// The worker sends commands while the UI thread refreshes the lists and
// asks for the connection mode, and a control panel presses the simulated
// mouse's buttons. Run under ThreadSanitizer (the tsan preset) this shows
// whether the shared state is guarded; everywhere it shows no crash or hang.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestRig.h"
#include "../platform/TempDir.h"
#include "device/DeviceDiscovery.h"
#include "device/TaskQueue.h"

namespace zq {
namespace {

TEST(Concurrency, TransactionsRefreshesAndButtonPressesInterleave) {
  test::Rig rig;
  std::atomic<bool> stop{false};
  TaskQueue queue;

  std::thread worker([&] {
    for (int i = 0; i < 300; ++i) {
      auto buffer = test::Command(0x30, 0xA5, 0x2E);
      rig.manager.SendCommand(buffer);
      std::string text;
      rig.manager.ReadVersionText(0, text);
      while (queue.TryPop()) {
      }
    }
    stop = true;
  });
  std::thread ui([&] {
    for (int i = 0; i < 100 || !stop; ++i) {
      rig.manager.CloseAll();
      rig.manager.EnumerateDevice();
      rig.manager.SetOpen();
      const int mode = rig.manager.ConnectionMode();
      EXPECT_TRUE(mode == kModeCable || mode == kModeNone) << mode;
      std::vector<OpenedDevice> list;
      rig.manager.CollectOfType(list);
      queue.Push(kTaskArrival);
    }
  });
  std::thread panel([&] {
    int n = 0;
    for (int i = 0; i < 100 || !stop; ++i) {
      rig.mouse->PushDpiButton(1 + n % 6, 4);
      rig.mouse->PushBattery(n % 100, n % 2);
      if (++n % 50 == 0) {
        rig.mouse->Unplug();
        rig.mouse->Plug();
      }
    }
  });
  worker.join();
  ui.join();
  panel.join();
  // Whatever interleaving happened, the manager comes out consistent.
  rig.mouse->Plug();
  rig.Refresh();
  EXPECT_EQ(rig.manager.ConnectionMode(), kModeCable);
  auto buffer = test::Command(0x30, 0xA5, 0x2E);
  EXPECT_TRUE(rig.manager.SendCommand(buffer));
}

// The window side of the same: the worker refreshes for queued arrivals and
// removals while the UI thread handles the mouse's hot-plug events and reads
// the connection state.
struct SharedEffects : DiscoveryEffects {
  void SetStatusText(int key) override { status = key; }
  void EnableTabs(bool) override {}
  void SelectTab(int) override {}
  void ShowNoDevice(bool) override {}
  void SetBatteryInfo(int, int) override {}
  void SetMessage(int) override {}
  void QueueTask(int code) override { tasks.Push(code); }
  void OpenSettingsDatabase(const std::string&) override {}
  std::atomic<int> status{-1};
  TaskQueue tasks;
};

TEST(Concurrency, RefreshesOnTheWorkerWhileTheUiHandlesHotPlug) {
  test::Rig rig;
  test::TempDir dir;
  Registry registry(dir.path());
  SharedEffects effects;
  DeviceDiscovery discovery(rig.manager, registry, effects);
  Catalogue catalogue;
  struct Mode {
    int value;
    uint16_t pid;
    const char* hid_interface;
  };
  for (const Mode& m : {Mode{0, 0x5701, "FFF7:5701"}, Mode{1, 0x5702, "FFF7:5702"},
                        Mode{3, 0x5703, "FFF7:5703"}, Mode{2, 0x5704, "FFF7:5704"}}) {
    CatalogueRecord record;
    record.device_type = kMouseDeviceType;
    record.device_attr = "Q57";
    record.value = m.value;
    record.vid = 0xFFF7;
    record.pid = m.pid;
    record.hid_interface = m.hid_interface;
    catalogue.modes.push_back(record);
  }
  discovery.StartWith(catalogue);

  // Events reach the UI thread through a queue, as the shell marshals them.
  std::mutex names_mutex;
  std::vector<DeviceEvent> events;
  rig.mouse->SetEventListener([&](const DeviceEvent& e) {
    std::lock_guard<std::mutex> lock(names_mutex);
    events.push_back(e);
  });

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) {
      if (auto code = effects.tasks.TryPop()) {
        if (*code == kTaskArrival || *code == kTaskRemoval) discovery.RefreshDevices();
      }
      auto buffer = test::Command(0x30, 0xA5, 0x2E);
      rig.manager.SendCommand(buffer);
    }
  });
  std::thread ui([&] {
    for (int i = 0; i < 400; ++i) {
      std::vector<DeviceEvent> batch;
      {
        std::lock_guard<std::mutex> lock(names_mutex);
        batch.swap(events);
      }
      for (const DeviceEvent& e : batch) discovery.UpdateUSBDevice(e.code, e.interface_name);
      (void)discovery.DevicePresent();
      (void)discovery.MouseOnline();
      (void)rig.manager.ConnectionMode();
    }
  });
  std::thread panel([&] {
    const sim::SimMode modes[] = {sim::SimMode::Receiver, sim::SimMode::Cable,
                                  sim::SimMode::Bluetooth, sim::SimMode::SecondReceiver};
    for (int i = 0; i < 60; ++i) {
      rig.mouse->SetMode(modes[i % 4]);
      if (i % 7 == 0) rig.mouse->Unplug();
      if (i % 7 == 1) rig.mouse->Plug();
    }
  });
  panel.join();
  ui.join();
  stop = true;
  worker.join();

  rig.mouse->SetMode(sim::SimMode::Cable);
  rig.mouse->Plug();
  discovery.RefreshDevices();
  EXPECT_EQ(rig.manager.ConnectionMode(), kModeCable);
  EXPECT_EQ(effects.status.load(), kTextCable);
  EXPECT_EQ(rig.manager.OpenedDevices().size(), 1u);
}

}  // namespace
}  // namespace zq
