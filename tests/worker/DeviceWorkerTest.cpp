#include "device/worker/DeviceWorker.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "../platform/TempDir.h"
#include "WorkerFakes.h"

namespace zq {
namespace {

using test::CallLog;
using Calls = std::vector<std::string>;

Calls Join(std::initializer_list<Calls> parts) {
  Calls out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The full read and the full write for current profile 2.
const Calls kReadAll = {"ReadBattery",       "ReadButtonCodes 1", "ReadButtonCodes 2",
                        "ReadButtonCodes 3", "ReadButtonCodes 4", "ReadButtonCodes 5",
                        "ReadButtonCodes 6", "ReadSettingsBlock 2"};
const Calls kButtonWrites = {"WriteButtonCodes 1", "WriteButtonCodes 2", "WriteButtonCodes 3",
                             "WriteButtonCodes 4", "WriteButtonCodes 5"};
const Calls kSettingsWrites = {"WriteSettingsBlock 2", "WriteDpiLevel 2", "WriteReportRate 2"};
const Calls kWriteAll = Join({{"WriteMacroImage"}, kButtonWrites, kSettingsWrites});
const Calls kFinish = {"CloseWaitDialog", "Sleep 100"};

class DeviceWorkerTest : public ::testing::Test {
 protected:
  DeviceWorkerTest() : registry(dir.path()) {
    registry.CreateKey();
    window.profile = 2;
  }

  // Queues the codes and runs one cycle.
  Calls RunWith(std::initializer_list<int> codes) {
    for (int c : codes) worker.QueueTask(c);
    worker.Run();
    return log.Take();
  }

  test::TempDir dir;
  Registry registry;
  CallLog log;
  test::LoggingClock clock{log};
  test::FakeDevice device{log};
  test::FakeWindow window{log};
  DeviceWorker worker{device, window, registry, clock};
};

TEST_F(DeviceWorkerTest, ApplyThenReadRunOneTaskPerCycle) {
  EXPECT_EQ(RunWith({kTaskApply, kTaskReadFromMouse}),
            Join({kWriteAll, kFinish, {"Post 1714 0 1"}}));
  EXPECT_EQ(worker.PendingTasks(), std::vector<int>{kTaskReadFromMouse});
  EXPECT_EQ(RunWith({}), Join({kReadAll, {"ReloadPages"}, kFinish}));
  EXPECT_TRUE(worker.PendingTasks().empty());
}

struct TaskCase {
  int code;
  Calls calls;
};

TEST_F(DeviceWorkerTest, EachTaskRunsItsStepsInOrderWithADevice) {
  const TaskCase cases[] = {
      {kTaskInitialRead,
       Join({{"RefillProfileCombo"},
             kReadAll,
             {"ReloadPages", "ShowVersionTexts", "ShowVersionCommand"}})},
      {kTaskProfileSwitched, Join({{"RefillProfileCombo", "ReloadPages"}, kFinish})},
      {kTaskLightingMode, Join({{"WriteLightingMode 5"}, kFinish})},
      {kTaskDpiLevel, Join({{"WriteDpiLevel 2"}, kFinish})},
      {kTaskRestoreDefaults,
       Join({kButtonWrites,
             kSettingsWrites,
             {"RestorePointerDefaults", "SelectFirstLightingMode"},
             kFinish,
             {"Post 1714 0 2"}})},
      {kTaskFactoryReset,
       Join({{"RefillProfileCombo", "ReloadPages", "SetConfig 2 report_rate 4", "WriteMacroImage"},
             kButtonWrites,
             {"WriteSettingsBlock 2", "ReadBattery", "SelectFirstLightingMode",
              "HideMacroItemEditor", "RestorePointerDefaults"}})},
      {12, {}},
      {0, {}},
  };
  window.lighting_mode = 5;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(RunWith({c.code}), c.calls);
    EXPECT_TRUE(worker.PendingTasks().empty());
  }
}

TEST_F(DeviceWorkerTest, FactoryResetStoresTheWirelessReportRateOverAReceiver) {
  device.mode = 1;
  Calls calls = RunWith({kTaskFactoryReset});
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[2], "SetConfig 2 report_rate 2");
}

TEST_F(DeviceWorkerTest, TasksWithoutADeviceAreDroppedAndTheirWaitDialogClosed) {
  const TaskCase cases[] = {
      {kTaskInitialRead, {}},
      {kTaskProfileSwitched, kFinish},
      {kTaskApply, Join({kFinish, {"Post 1714 0 3"}})},
      {kTaskReadFromMouse, kFinish},
      {kTaskLightingMode, kFinish},
      {kTaskDpiLevel, kFinish},
      {kTaskRestoreDefaults, Join({kFinish, {"Post 1714 0 4"}})},
      {kTaskFactoryReset, {}},
  };
  device.present = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(RunWith({c.code}), c.calls);
    EXPECT_TRUE(worker.PendingTasks().empty());
  }
  EXPECT_FALSE(worker.InitialReadDone());
}

TEST_F(DeviceWorkerTest, InitialReadRunsOnce) {
  EXPECT_EQ(RunWith({kTaskInitialRead, kTaskInitialRead}).size(), kReadAll.size() + 4);
  EXPECT_TRUE(worker.InitialReadDone());
  EXPECT_EQ(RunWith({}), Calls{});
}

TEST_F(DeviceWorkerTest, ArrivalAndRemovalRunWithoutADevice) {
  device.present = false;
  device.present_after_refresh = false;
  const Calls reread = Join({{"RefreshDevices", "RefillProfileCombo"},
                             kReadAll,
                             {"ReloadPages", "ShowVersionTexts"}});
  EXPECT_EQ(RunWith({kTaskArrival}), Join({{"Sleep 1000"}, reread, {"ShowVersionCommand"}}));
  EXPECT_EQ(RunWith({kTaskRemoval}), reread);
  EXPECT_FALSE(worker.InitialReadDone());
}

TEST_F(DeviceWorkerTest, FirstArrivalAlsoDoesTheInitialReadThatFoundNoDevice) {
  device.present = false;
  EXPECT_EQ(RunWith({kTaskInitialRead}), Calls{});
  device.present_after_refresh = true;
  Calls calls = RunWith({kTaskArrival});
  EXPECT_EQ(calls.size(), 1 + (kReadAll.size() + 5) + (kReadAll.size() + 4));
  EXPECT_EQ(calls.back(), "ShowVersionCommand");
  EXPECT_TRUE(worker.InitialReadDone());
  // A later arrival re-reads but does not repeat the initial read.
  EXPECT_EQ(RunWith({kTaskArrival}).size(), 1 + kReadAll.size() + 5);
}

TEST_F(DeviceWorkerTest, UnacknowledgedWritesSendTheRestAndReportIncomplete) {
  device.nak = {"WriteButtonCodes"};
  EXPECT_EQ(RunWith({kTaskApply}), Join({kWriteAll, kFinish, {"Post 1714 0 3"}}));
  device.nak = {"WriteReportRate"};
  Calls calls = RunWith({kTaskRestoreDefaults});
  EXPECT_EQ(calls.back(), "Post 1714 0 4");
  device.nak.clear();
  EXPECT_EQ(RunWith({kTaskApply}).back(), "Post 1714 0 1");
}

TEST_F(DeviceWorkerTest, PollsOnlyWhenIdleWithADevice) {
  EXPECT_EQ(RunWith({}), Calls{"PollNotification"});
  EXPECT_EQ(RunWith({12}), Calls{});
  device.present = false;
  EXPECT_EQ(RunWith({}), Calls{});
}

TEST_F(DeviceWorkerTest, DpiLevelRequestQueuesTheDpiTask) {
  device.dpi_request = true;
  EXPECT_EQ(RunWith({}), Calls{"PollNotification"});
  EXPECT_EQ(worker.PendingTasks(), std::vector<int>{kTaskDpiLevel});
  EXPECT_EQ(RunWith({}), Join({{"WriteDpiLevel 2"}, kFinish}));
}

TEST(CompletionMessage, MapsEveryCompletionToItsTexts) {
  struct Case {
    intptr_t lparam;
    int caption;
    int text;
  };
  for (const Case& c : {Case{1, 115, 210}, Case{2, 112, 212}, Case{3, 213, 214},
                        Case{4, 213, 214}}) {
    auto m = CompletionMessageFor(c.lparam);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->caption_key, c.caption);
    EXPECT_EQ(m->text_key, c.text);
  }
  EXPECT_FALSE(CompletionMessageFor(0).has_value());
  EXPECT_FALSE(CompletionMessageFor(5).has_value());
}

// The factory-reset request runs on the UI thread; it only queues task 16.
class FactoryResetRequestTest : public DeviceWorkerTest {};

TEST_F(FactoryResetRequestTest, RefusedOrDeclinedChangesNothing) {
  struct Case {
    const char* name;
    bool online;
    int mode;
    int answer;
    Calls calls;
  };
  const Case cases[] = {
      {"no mouse", false, 0, 1, {"MessageBox 57 676 0"}},
      {"bluetooth", true, 2, 1, {"MessageBox 56 676 0"}},
      {"declined", true, 0, 2, {"MessageBox 671 670 4"}},
  };
  RunWith({kTaskInitialRead});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    device.online = c.online;
    device.mode = c.mode;
    window.answers = {c.answer};
    EXPECT_FALSE(worker.RequestFactoryReset());
    EXPECT_EQ(log.Take(), c.calls);
    EXPECT_TRUE(worker.PendingTasks().empty());
    EXPECT_TRUE(worker.InitialReadDone());
  }
}

TEST_F(FactoryResetRequestTest, AcceptedResetsTheDatabaseOfTheSelectedType) {
  RunWith({kTaskInitialRead});
  registry.Write("DeviceType", "101");
  window.catalogue = {{7, "Other"}, {101, "Q57"}};
  window.answers = {1};
  EXPECT_TRUE(worker.RequestFactoryReset());
  EXPECT_EQ(log.Take(), (Calls{"MessageBox 671 670 4", "ResetDatabase Q57"}));
  EXPECT_EQ(worker.PendingTasks(), std::vector<int>{kTaskFactoryReset});
  EXPECT_FALSE(worker.InitialReadDone());
}

TEST_F(FactoryResetRequestTest, WithoutACatalogueRecordTheMouseDatabaseIsReset) {
  registry.Write("DeviceType", "5");
  window.catalogue = {{101, "Q57"}};
  EXPECT_TRUE(worker.RequestFactoryReset());
  EXPECT_EQ(log.Take(), (Calls{"MessageBox 671 670 4", "ResetDatabase Mouse"}));
}

}  // namespace
}  // namespace zq
