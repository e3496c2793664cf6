// The worker sends commands while the UI thread refreshes the lists and
// asks for the connection mode, and a control panel presses the simulated
// mouse's buttons. Run under ThreadSanitizer (the tsan preset) this shows
// whether the shared state is guarded; everywhere it shows no crash or hang.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestRig.h"
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

}  // namespace
}  // namespace zq
