// The main window over the simulated mouse, driven as a user would: start-up, hot-plug,
// the buttons that queue device tasks, the completion messages, tabs, window buttons,
// autostart, the factory reset request and the ways out.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "MainWindowRig.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"

namespace zq::test {
namespace {

using sim::SimMode;

std::vector<std::string> Ops(std::initializer_list<const char*> names) {
  return {names.begin(), names.end()};
}

const std::vector<std::string> kFullRead = Ops(
    {"ReadBattery", "ReadButtonCodes 1", "ReadButtonCodes 2", "ReadButtonCodes 3",
     "ReadButtonCodes 4", "ReadButtonCodes 5", "ReadButtonCodes 6", "ReadSettingsBlock 1"});

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class MainWindow : public ::testing::Test {
 protected:
  MainWindowRig rig;

  // The last message box shown, as caption and text.
  std::pair<std::string, std::string> LastBox() const {
    auto dialogs = rig.host.Dialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
      if (it->windowText == "MessageBox" && it->texts.size() >= 2) {
        return {it->texts[0], it->texts[1]};
      }
    }
    return {};
  }
  size_t Count(const std::string& windowText) const {
    auto dialogs = rig.host.Dialogs();
    return std::count_if(dialogs.begin(), dialogs.end(),
                         [&](const ui::ShownDialog& d) { return d.windowText == windowText; });
  }
};

TEST_F(MainWindow, StartUpFindsTheMouseReadsItAndCreatesTheFiveProfiles) {
  rig.Start();

  EXPECT_EQ(rig.StatusText(), rig.Text(51));
  EXPECT_TRUE(rig.Tabs().IsEnabled());
  EXPECT_EQ(rig.registry.Read("DeviceType").value_or(""), "101");
  EXPECT_TRUE(rig.dialog->Worker().InitialReadDone());
  EXPECT_EQ(rig.device->Take(), kFullRead);

  std::vector<ProfileRecord> profiles;
  ASSERT_EQ(rig.store.ListProfiles(profiles), 5);
  EXPECT_EQ(rig.store.DatabasePath(), ConfigStore::DatabasePathFor(rig.DataFolder(), "Q57"));
  auto* combo = rig.dialog->GetControl<ui::MComboBox>(ids::kProfileCombo);
  ASSERT_EQ(combo->GetItemCount(), 5);
  const int names[] = {800, 801, 811, 821, 831};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(profiles[i].name, std::to_string(names[i]));
    EXPECT_EQ(combo->GetItemText(i), rig.Text(names[i]));
    EXPECT_EQ(combo->GetItemData(i), i + 1);
  }
  EXPECT_EQ(combo->GetCurData(), 1);
  EXPECT_EQ(rig.dialog->CurrentProfile(), 1);
  // The catalogue's version replaces the built-in text.
  EXPECT_EQ(rig.dialog->GetControl<ui::MText>(ids::kVersionText)->GetTitle(), "1.2.0");
}

TEST_F(MainWindow, StartUpWithoutMouseShowsTheNoDeviceStateAndReadsOnArrival) {
  rig.Start(/*plugged=*/false);
  EXPECT_EQ(rig.StatusText(), rig.Text(50));
  EXPECT_FALSE(rig.Tabs().IsEnabled());
  EXPECT_TRUE(rig.dialog->GetControl(ids::kHomeHint)->IsVisible());
  // Without a device the initial read is dropped, not marked done.
  EXPECT_FALSE(rig.dialog->Worker().InitialReadDone());
  EXPECT_TRUE(rig.device->Take().empty());

  rig.mouse->Plug();
  rig.Settle();
  EXPECT_EQ(rig.StatusText(), rig.Text(51));
  EXPECT_TRUE(rig.dialog->Worker().InitialReadDone());
  EXPECT_FALSE(rig.dialog->GetControl(ids::kHomeHint)->IsVisible());
  auto ops = rig.device->Take();
  // The arrival's read, then the initial read that had waited for a mouse.
  EXPECT_EQ(std::count(ops.begin(), ops.end(), "ReadBattery"), 2);
}

struct HotPlugCase {
  const char* name;
  void (*act)(sim::SimulatedMouse&);
  int status;
  bool tabsEnabled;
};

class MainWindowHotPlug : public MainWindow, public ::testing::WithParamInterface<HotPlugCase> {};

TEST_P(MainWindowHotPlug, StatusFollowsTheMouse) {
  rig.Start();
  GetParam().act(*rig.mouse);
  rig.Settle();
  EXPECT_EQ(rig.StatusText(), rig.Text(GetParam().status));
  EXPECT_EQ(rig.Tabs().IsEnabled(), GetParam().tabsEnabled);
  EXPECT_EQ(rig.dialog->GetControl(ids::kHomeHint)->IsVisible(), !GetParam().tabsEnabled);
  if (!GetParam().tabsEnabled) {
    // The no-device state shows home, so the second background is off.
    EXPECT_EQ(rig.Tabs().GetSelectItem(), 0);
    EXPECT_FALSE(rig.dialog->GetControl(ids::kBackground2)->IsVisible());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Connections, MainWindowHotPlug,
    ::testing::Values(
        HotPlugCase{"Unplugged", [](sim::SimulatedMouse& m) { m.Unplug(); }, 50, false},
        HotPlugCase{"Replugged",
                    [](sim::SimulatedMouse& m) {
                      m.Unplug();
                      m.Plug();
                    },
                    51, true},
        HotPlugCase{"Receiver", [](sim::SimulatedMouse& m) { m.SetMode(SimMode::Receiver); }, 52,
                    true},
        HotPlugCase{"SecondReceiver",
                    [](sim::SimulatedMouse& m) { m.SetMode(SimMode::SecondReceiver); }, 52, true},
        HotPlugCase{"ReceiverWithMouseOff",
                    [](sim::SimulatedMouse& m) {
                      m.SetMouseOn(false);
                      m.SetMode(SimMode::Receiver);
                    },
                    53, false},
        HotPlugCase{"Bluetooth", [](sim::SimulatedMouse& m) { m.SetMode(SimMode::Bluetooth); }, 54,
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, DeviceChangeOfAnotherDeviceTypeIsIgnored) {
  rig.Start();
  rig.mouse->SetEventListener({});
  rig.mouse->Unplug();
  // A volume notification (type 2) carries no interface of ours.
  rig.dialog->PostMessage(kMsgDeviceChange, kDeviceRemoveComplete, 2);
  rig.dialog->DispatchPostedMessages();
  EXPECT_TRUE(rig.dialog->Worker().PendingTasks().empty());
  EXPECT_EQ(rig.StatusText(), rig.Text(51));
}

TEST_F(MainWindow, ApplyThenReadRunInOrderAndApplyReportsCompletion) {
  rig.Start();
  rig.device->Take();

  rig.host.AnswerWith(rig.RunOneCycle());
  ASSERT_TRUE(rig.dialog->UserClick(ids::kApplyButton));
  rig.host.AnswerWith(rig.RunOneCycle());
  ASSERT_TRUE(rig.dialog->UserClick(ids::kReadButton));
  rig.Settle();

  std::vector<std::string> expected = Ops({"WriteMacroImage", "WriteButtonCodes 1",
                                           "WriteButtonCodes 2", "WriteButtonCodes 3",
                                           "WriteButtonCodes 4", "WriteButtonCodes 5",
                                           "WriteSettingsBlock 1", "WriteDpiLevel 1",
                                           "WriteReportRate 1"});
  expected.insert(expected.end(), kFullRead.begin(), kFullRead.end());
  EXPECT_EQ(rig.device->Take(), expected);

  // Both busy indicators were closed by the worker, not by the host's safety limit.
  for (const ui::ShownDialog& shown : rig.host.Dialogs()) {
    if (shown.windowText != "WaitDlg") continue;
    EXPECT_EQ(shown.result, ui::kIdOk);
    EXPECT_FALSE(shown.timedOut);
  }
  EXPECT_EQ(Count("WaitDlg"), 2u);
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(115), rig.Text(210)));
  EXPECT_EQ(Count("MessageBox"), 1u);
}

TEST_F(MainWindow, ApplyThatTheMouseDidNotTakeSaysSoAndKeepsTheStore) {
  rig.Start();
  ASSERT_TRUE(rig.store.SetConfig(1, "dpi_group0_value", "900"));
  // Every attempt of the first exchange is refused.
  rig.mouse->InjectFault(sim::SimFault::Nak, 3);
  rig.host.AnswerWith(rig.RunOneCycle());
  rig.dialog->UserClick(ids::kApplyButton);
  rig.Settle();
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(213), rig.Text(214)));
  std::string value;
  rig.store.GetConfig(1, "dpi_group0_value", value);
  EXPECT_EQ(value, "900");
}

TEST_F(MainWindow, TasksDroppedWithoutAMouseStillCloseTheirWaitDialog) {
  rig.Start();
  rig.device->Take();
  // The mouse goes while the busy indicator is up, before the worker takes the task.
  auto unplugThenCycle = [this](ui::MDialog&) {
    rig.mouse->Unplug();
    rig.dialog->Discovery().RefreshDevices();
    rig.dialog->Worker().Run();
  };
  rig.host.AnswerWith(unplugThenCycle);
  ASSERT_TRUE(rig.dialog->UserClick(ids::kApplyButton));
  rig.mouse->Plug();
  rig.dialog->Discovery().RefreshDevices();
  rig.host.AnswerWith(unplugThenCycle);
  ASSERT_TRUE(rig.dialog->UserClick(ids::kReadButton));
  rig.Settle();

  for (const std::string& op : rig.device->Take()) {
    EXPECT_EQ(op.rfind("Write", 0), std::string::npos) << op;
  }
  EXPECT_EQ(Count("WaitDlg"), 2u);
  for (const ui::ShownDialog& shown : rig.host.Dialogs()) {
    if (shown.windowText == "WaitDlg") {
      EXPECT_EQ(shown.result, ui::kIdOk);
    }
  }
  // The apply that reached nothing is not reported as done.
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(213), rig.Text(214)));
  EXPECT_EQ(Count("MessageBox"), 1u);
}

TEST_F(MainWindow, RestoreDeclinedChangesNothing) {
  rig.Start();
  rig.device->Take();
  ASSERT_TRUE(rig.store.SetConfig(1, "dpi_index", "4"));

  rig.host.AnswerClick(34);  // the box's cancel button
  ASSERT_TRUE(rig.dialog->UserClick(ids::kRestoreButton));

  std::string value;
  ASSERT_TRUE(rig.store.GetConfig(1, "dpi_index", value));
  EXPECT_EQ(value, "4");
  EXPECT_TRUE(rig.dialog->Worker().PendingTasks().empty());
  EXPECT_EQ(Count("WaitDlg"), 0u);
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(201), rig.Text(200)));
}

TEST_F(MainWindow, RestoreAcceptedResetsTheProfileAndWritesItWithoutTheMacroImage) {
  rig.Start();
  rig.device->Take();
  ASSERT_TRUE(rig.store.SetConfig(1, "dpi_index", "4"));
  ASSERT_TRUE(rig.store.SetConfig(2, "dpi_index", "5"));
  ButtonAssignment assignment;
  assignment.profile = 1;
  assignment.key_code = 3;
  assignment.macro_type = 2;
  assignment.macro_value = 4;
  ASSERT_NE(rig.store.SaveAssignment(assignment), 0);

  rig.host.AnswerClick(33);
  rig.host.AnswerWith(rig.RunOneCycle());
  ASSERT_TRUE(rig.dialog->UserClick(ids::kRestoreButton));
  rig.Settle();

  std::string restored;
  std::string untouched;
  rig.store.GetConfig(1, "dpi_index", restored);
  rig.store.GetConfig(2, "dpi_index", untouched);
  EXPECT_NE(restored, "4");
  EXPECT_EQ(untouched, "5");
  std::vector<ButtonAssignment> left;
  EXPECT_EQ(rig.store.ListAssignments(1, left), 0);
  const auto ops = rig.device->Take();
  EXPECT_FALSE(Contains(ops, "WriteMacroImage"));
  EXPECT_TRUE(Contains(ops, "WriteSettingsBlock 1"));
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(112), rig.Text(212)));
}

struct CompletionCase {
  int64_t lParam;
  int caption;
  int text;
};

class MainWindowCompletion : public MainWindow,
                             public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(MainWindowCompletion, ShowsTheMessageOfTheOutcome) {
  rig.Start();
  rig.dialog->PostMessage(kMsgTaskCompleted, 0, GetParam().lParam);
  rig.dialog->DispatchPostedMessages();
  if (GetParam().caption == 0) {
    EXPECT_EQ(Count("MessageBox"), 0u);
  } else {
    ASSERT_EQ(Count("MessageBox"), 1u);
    EXPECT_EQ(LastBox(), std::make_pair(rig.Text(GetParam().caption), rig.Text(GetParam().text)));
  }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, MainWindowCompletion,
                         ::testing::Values(CompletionCase{1, 115, 210}, CompletionCase{2, 112, 212},
                                           CompletionCase{3, 213, 214}, CompletionCase{4, 213, 214},
                                           CompletionCase{7, 0, 0}));

struct RefusedResetCase {
  const char* name;
  void (*act)(sim::SimulatedMouse&);
  int text;
};

class MainWindowFactoryReset : public MainWindow,
                               public ::testing::WithParamInterface<RefusedResetCase> {};

TEST_P(MainWindowFactoryReset, IsRefusedAndKeepsTheSettings) {
  rig.Start();
  GetParam().act(*rig.mouse);
  rig.Settle();
  // The tabs are off by now; a click that was on its way still reaches the handler.
  ASSERT_TRUE(rig.dialog->OnMessage(ids::kFactoryResetButton, ui::kEventClick, 0, 0));
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(676), rig.Text(GetParam().text)));
  EXPECT_TRUE(rig.dialog->Worker().PendingTasks().empty());
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(rig.store.ListProfiles(profiles), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, MainWindowFactoryReset,
    ::testing::Values(
        RefusedResetCase{"NoMouse", [](sim::SimulatedMouse& m) { m.Unplug(); }, 57},
        RefusedResetCase{"Bluetooth",
                         [](sim::SimulatedMouse& m) { m.SetMode(SimMode::Bluetooth); }, 56}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, FactoryResetConfirmedEmptiesTheStoreAndRebuildsTheProfiles) {
  rig.Start();
  ASSERT_TRUE(rig.store.SetActiveProfile(3));
  rig.device->Take();

  rig.host.AnswerClick(33);
  ASSERT_TRUE(rig.dialog->UserClick(ids::kTabCtrl, 4));
  ASSERT_TRUE(rig.dialog->UserClick(ids::kFactoryResetButton));
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(670), rig.Text(671)));
  EXPECT_EQ(rig.dialog->Worker().PendingTasks(), std::vector<int>{kTaskFactoryReset});
  rig.Settle();

  std::vector<ProfileRecord> profiles;
  ASSERT_EQ(rig.store.ListProfiles(profiles), 5);
  EXPECT_EQ(rig.store.GetActiveProfile(), 1);
  std::string rate;
  rig.store.GetConfig(1, "report_rate", rate);
  EXPECT_EQ(rate, "4");  // cable
  EXPECT_TRUE(Contains(rig.device->Take(), "WriteMacroImage"));
}

TEST_F(MainWindow, ChoosingAProfileMakesItActiveAndQueuesTheSwitchOnce) {
  rig.Start();
  ASSERT_TRUE(rig.dialog->UserChoose(ids::kProfileCombo, 2));
  EXPECT_EQ(rig.dialog->CurrentProfile(), 3);
  EXPECT_EQ(rig.store.GetActiveProfile(), 3);
  EXPECT_EQ(rig.dialog->Worker().PendingTasks(), std::vector<int>{kTaskProfileSwitched});
  rig.Settle();
  // The refill of task 5 keeps the choice, and a new start selects it again.
  EXPECT_EQ(rig.dialog->GetControl<ui::MComboBox>(ids::kProfileCombo)->GetCurData(), 3);
}

TEST_F(MainWindow, TabsShowTheSecondBackgroundEverywhereButHome) {
  rig.Start();
  ui::MControl* second = rig.dialog->GetControl(ids::kBackground2);
  // Discovery selected the buttons page on connection.
  EXPECT_EQ(rig.dialog->currentTabItemId.load(), ids::kTabItemKeys);
  EXPECT_TRUE(second->IsVisible());

  const struct {
    int index;
    int itemId;
    bool secondShown;
  } steps[] = {{0, ids::kTabItemHome, false}, {2, ids::kTabItemPerformance, true},      {4, ids::kTabItemSettings, true},
               {3, ids::kTabItemMacros, true}, {0, ids::kTabItemHome, false},   {0, ids::kTabItemHome, false}};
  for (const auto& step : steps) {
    ASSERT_TRUE(rig.dialog->UserClick(ids::kTabCtrl, step.index));
    EXPECT_EQ(rig.dialog->currentTabItemId.load(), step.itemId) << step.index;
    EXPECT_EQ(second->IsVisible(), step.secondShown) << step.index;
  }
}

TEST_F(MainWindow, MaximiseTwiceRestoresAndSwapsTheImage) {
  rig.Start();
  ui::MControl* button = rig.dialog->GetControl(ids::kMaximizeButton);
  ASSERT_TRUE(rig.dialog->UserClick(ids::kMaximizeButton));
  EXPECT_TRUE(rig.dialog->IsZoomed());
  EXPECT_EQ(button->GetImage(), "sysbtn_restore.png");
  ASSERT_TRUE(rig.dialog->UserClick(ids::kMaximizeButton));
  EXPECT_FALSE(rig.dialog->IsZoomed());
  EXPECT_EQ(button->GetImage(), "sysbtn_maximize.png");
}

TEST_F(MainWindow, AutostartSwitchWritesAndRemovesTheEntry) {
  rig.Start();
  rig.dialog->UserClick(ids::kTabCtrl, 4);
  auto* sw = rig.dialog->GetControl<ui::CSwitchButton>(ids::kAutostartSwitch);
  EXPECT_FALSE(sw->GetCheck());

  ASSERT_TRUE(rig.dialog->UserClick(ids::kAutostartSwitch));
  EXPECT_TRUE(FileExists(rig.autostart.FilePath()));
  EXPECT_TRUE(rig.autostart.IsOn());
  EXPECT_TRUE(sw->GetCheck());
  std::ifstream entry(rig.autostart.FilePath());
  std::string text((std::istreambuf_iterator<char>(entry)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("/opt/zq/zintor-q57-mouse"), std::string::npos);

  ASSERT_TRUE(rig.dialog->UserClick(ids::kAutostartSwitch));
  EXPECT_FALSE(FileExists(rig.autostart.FilePath()));
  EXPECT_FALSE(sw->GetCheck());
}

TEST_F(MainWindow, AutostartSwitchStartsInTheEntrysState) {
  ASSERT_TRUE(rig.autostart.TurnOn());
  rig.Start();
  EXPECT_TRUE(rig.dialog->GetControl<ui::CSwitchButton>(ids::kAutostartSwitch)->GetCheck());
}

TEST_F(MainWindow, EveryExitStopsTheWorkerAndEndsWithZero) {
  rig.Start();
  rig.dialog->PostMessage(kMsgExitRequest, 0, 611);  // not the exit code: ignored
  rig.dialog->PostMessage(kMsgCommand, 99, 0);       // not the exit command: ignored
  rig.dialog->DispatchPostedMessages();
  EXPECT_TRUE(rig.exits.empty());

  ASSERT_TRUE(rig.dialog->UserClick(ids::kCloseButton));
  rig.dialog->PostMessage(kMsgCommand, kCommandExit, 0);
  rig.dialog->PostMessage(kMsgExitRequest, 0, kExitRequestParam);
  rig.dialog->DispatchPostedMessages();
  EXPECT_EQ(rig.exits, (std::vector<int>{0, 0, 0}));
  EXPECT_FALSE(rig.dialog->Worker().IsThreadAlive());
}

TEST_F(MainWindow, ProfileFileRequestsAreAnsweredWithoutEffect) {
  rig.Start();
  EXPECT_EQ(rig.dialog->OnWindowMessage(kMsgProfileFile, 1, 0), 1);
  EXPECT_EQ(rig.dialog->OnWindowMessage(kMsgProfileFile, 2, 3), 1);
  EXPECT_TRUE(rig.dialog->Worker().PendingTasks().empty());
  EXPECT_EQ(rig.host.Dialogs().size(), 0u);
}

TEST_F(MainWindow, WorkerThreadRunsTheInitialReadOnItsOwn) {
  // The same start-up with the real thread on the real clock: the read arrives without help.
  MainServices services{rig.manager, rig.store, rig.registry, rig.autostart, DefaultClock(),
                        MainWindowRig::ProgramFolder(), rig.DataFolder(), {}, {}, {}, {}, true};
  rig.mouse->Plug();
  DeviceMainDlg dialog(std::move(services));
  dialog.Create(nullptr, kAppName, 0x96000000, 0, {0, 0, kMainWidth, kMainHeight});
  dialog.OnInitDialog();
  for (int i = 0; i < 500 && !dialog.Worker().InitialReadDone(); ++i) DefaultClock().Sleep(10);
  EXPECT_TRUE(dialog.Worker().InitialReadDone());
  dialog.Shutdown();
  EXPECT_FALSE(dialog.Worker().IsThreadAlive());
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(rig.store.ListProfiles(profiles), 5);
}

}  // namespace
}  // namespace zq::test
