// The device worker over OpsWorkerDevice: discovery finds the simulated
// mouse, the apply task reaches it, its own events come back through the
// idle poll, and a removal stops the exchanges.

#include <gtest/gtest.h>

#include "OpsRig.h"
#include "WorkerFakes.h"
#include "device/DeviceDiscovery.h"
#include "device/ops/OpsWorkerDevice.h"
#include "device/worker/DeviceWorker.h"
#include "sim/FirmwareDecoders.h"

namespace zq::test {
namespace {

class QuietDiscoveryEffects final : public DiscoveryEffects {
 public:
  void SetStatusText(int key) override { status = key; }
  void EnableTabs(bool) override {}
  void SelectTab(int) override {}
  void ShowNoDevice(bool) override {}
  void SetBatteryInfo(int, int) override {}
  void SetMessage(int) override {}
  void QueueTask(int) override {}
  void OpenSettingsDatabase(const std::string&) override {}
  std::atomic<int> status{0};
};

Catalogue SimCatalogue() {
  const sim::SimIds ids;
  Catalogue c;
  CatalogueRecord mouse;
  mouse.name = "Q57";
  mouse.device_type = kMouseDeviceType;
  mouse.device_attr = "Q57";
  c.mice.push_back(mouse);
  const std::pair<int, uint16_t> modes[] = {{kModeCable, ids.cable},
                                            {kModeReceiver, ids.receiver},
                                            {kModeBluetooth, ids.bluetooth},
                                            {kModeSecondReceiver, ids.second_receiver}};
  for (auto [mode, pid] : modes) {
    CatalogueRecord r = mouse;
    r.value = mode;
    r.vid = ids.vendor_id;
    r.pid = pid;
    c.modes.push_back(r);
  }
  return c;
}

class WorkerEndToEndTest : public OpsTest {
 protected:
  WorkerEndToEndTest()
      : registry_(tmp_.path() + "/registry"),
        discovery_(manager_, registry_, discovery_effects_),
        device_(discovery_, manager_, ops_),
        window_(log_),
        worker_(device_, window_, registry_, clock_) {}

  void SetUp() override {
    OpsTest::SetUp();
    discovery_.StartWith(SimCatalogue());
    window_.profile = 2;
    current_profile_ = 2;
    mouse_->ClearRequests();
  }

  Registry registry_;
  QuietDiscoveryEffects discovery_effects_;
  DeviceDiscovery discovery_;
  OpsWorkerDevice device_;
  CallLog log_;
  FakeWindow window_;
  DeviceWorker worker_;
};

TEST_F(WorkerEndToEndTest, ApplyReachesTheMouseAndItsEventsComeBack) {
  ASSERT_TRUE(device_.IsDevicePresent());
  ASSERT_TRUE(device_.IsMouseOnline());
  ASSERT_EQ(device_.ConnectionMode(), kModeCable);

  // The user typed 1650 into the third level (stored as 1700) and applies.
  SetConfig(2, {{"dpi_index", "2"}, {"dpi_group2_value", "1700"}, {"report_rate", "3"}});
  worker_.QueueTask(kTaskApply);
  worker_.Run();
  const auto log = log_.Take();
  EXPECT_EQ(log.back(), "Post 1714 0 " + std::to_string(kApplyDone));
  // Image, five key reports, block, level, rate.
  const std::vector<int> codes = RequestCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x09), 5);
  EXPECT_EQ(codes.back(), 0x23);
  const sim::DecodedSettings s = sim::DecodeSettingsBlock(mouse_->SettingsBlock(1));
  EXPECT_EQ(s.active_level, 3);
  EXPECT_EQ(s.levels[2].dpi, 1700);
  EXPECT_EQ(mouse_->ActiveDpiValue(), 1700);
  EXPECT_EQ(mouse_->ReportRate(), 3);

  // The DPI button on the mouse: the idle poll stores the new level.
  ASSERT_TRUE(mouse_->PushDpiButton(5, 3));
  worker_.Run();
  EXPECT_EQ(Config(2, "dpi_index"), "4");
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"dpi 5", "rate 3"}));

  // The mouse asks for the active level: the worker queues and sends it.
  clock_.Advance(DeviceOperations::kPollSpacingMs);
  ASSERT_TRUE(mouse_->PushDpiRequest());
  worker_.Run();
  EXPECT_EQ(worker_.PendingTasks(), (std::vector<int>{kTaskDpiLevel}));
  mouse_->ClearRequests();
  worker_.Run();
  EXPECT_EQ(RequestCodes(), (std::vector<int>{0x22}));
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 5);
}

TEST_F(WorkerEndToEndTest, AfterRemovalNothingIsSent) {
  mouse_->Unplug();
  worker_.QueueTask(kTaskRemoval);
  worker_.Run();
  EXPECT_FALSE(device_.IsDevicePresent());
  EXPECT_EQ(discovery_effects_.status.load(), kTextNoDevice);
  const StoreSnapshot before = Snapshot();
  worker_.QueueTask(kTaskApply);
  worker_.Run();
  EXPECT_EQ(log_.Take().back(), "Post 1714 0 " + std::to_string(kApplyIncomplete));
  EXPECT_EQ(mouse_->RequestCount(), 0u);
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace zq::test
