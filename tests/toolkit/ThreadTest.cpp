// Controls changed by a worker thread while the UI thread reads them and the user acts on them.
// Run under ThreadSanitizer (preset tsan) this shows the model free of data races.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RecordingDialog.h"

namespace zq::ui::test {
namespace {

struct CountingListener : ViewListener {
  void OnModelChanged() override { changes.fetch_add(1); }
  void OnWake() override { wakes.fetch_add(1); }
  std::atomic<int> changes{0};
  std::atomic<int> wakes{0};
};

TEST(ThreadTest, WorkerUpdatesWhileTheUserActs) {
  RecordingDialog dlg;
  CountingListener listener;
  dlg.SetViewListener(&listener);
  std::vector<DPIControl*> levels;
  for (int id = 101; id <= 106; ++id) {
    levels.push_back(dlg.CreateControlT<DPIControl>(id, {0, 0, 10, 10}));
    levels.back()->SetGroupName("MOUSE_DPICTRL");
  }
  auto* slider = dlg.CreateControlT<DPISlider>(107, {});
  auto* battery = dlg.CreateControlT<BatteryCtrl>(40, {});
  auto* state = dlg.CreateControlT<CDeviceState>(41, {});
  auto* combo = dlg.CreateControlT<MComboBox>(60, {});
  auto* records = dlg.CreateControlT<CRecordList>(166, {});

  std::atomic<bool> stop{false};
  std::thread worker([&] {
    for (int i = 0; !stop.load(); ++i) {
      levels[i % 6]->SetCheckState(true);
      levels[i % 6]->SetDPIValue(100 * (i % 240));
      slider->SetProgress(i % 240);
      battery->SetBatteryInfo(i % 101, i % 3);
      state->SetTitle(i % 2 ? "Connected" : "Disconnected");
      combo->DelAllItems();
      for (int k = 0; k < 5; ++k) combo->AddItem("Profile " + std::to_string(k), k + 1);
      combo->SetCurSel(i % 5);
      records->InsertString(0, "item", 1, i, static_cast<std::uint32_t>(i));
      if (records->GetItemCount() > 50) records->DeleteAllItems();
      dlg.PostMessage(1714, 0, i);
    }
  });

  for (int i = 0; i < 2000; ++i) {
    dlg.UserClick(101 + i % 6);
    dlg.UserChoose(60, i % 5);
    dlg.UserClick(166, i % 10);
    auto snap = combo->GetSnapshot();
    EXPECT_LT(snap.curSel, static_cast<int>(snap.items.size()));
    (void)battery->GetBatteryLevel();
    (void)state->GetTitle();
    (void)records->GetRecordItems();
    dlg.DispatchPostedMessages();
    if (dlg.TakeModelChanged()) std::this_thread::yield();
  }
  stop = true;
  worker.join();
  dlg.DispatchPostedMessages();

  int checked = 0;
  for (auto* level : levels) checked += level->GetCheckState() ? 1 : 0;
  EXPECT_EQ(checked, 1);  // a group never ends with two checked, whoever checked last
  EXPECT_GT(listener.changes.load(), 0);
  EXPECT_FALSE(dlg.messages.empty());
  for (auto id : dlg.messageThreads) EXPECT_EQ(id, std::this_thread::get_id());
  dlg.SetViewListener(nullptr);
}

}  // namespace
}  // namespace zq::ui::test
