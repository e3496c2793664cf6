// What the mouse's own reports change: store, pages, typed text, and the
// DPI-level request handed back to the worker. Also the simulated firmware's
// buttons producing those reports.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "OpsRig.h"
#include "buttons/FunctionCatalogue.h"
#include "sim/FirmwareButtons.h"
#include "sim/FirmwareDecoders.h"

namespace zq::test {
namespace {

struct Note {
  uint8_t event, first, second;
};

struct PollCase {
  const char* name;
  std::vector<Note> notes;  // one poll each
  // After the last poll:
  std::string dpi_index, report_rate, light_mode;
  std::vector<std::string> effects;  // over all polls
  std::string typed;
  bool dpi_request = false;  // the last poll's result
};

class PollTest : public OpsTest, public ::testing::WithParamInterface<PollCase> {};

TEST_P(PollTest, NotificationActsOnStorePagesAndTyping) {
  const PollCase& c = GetParam();
  current_profile_ = 2;
  SetConfig(2, {{"dpi_index", "4"}, {"report_rate", "1"}, {"light_mode", "1"}});
  const StoreSnapshot before = Snapshot();
  bool request = false;
  for (const Note& n : c.notes) {
    ASSERT_TRUE(mouse_->PushNotification(n.event, n.first, n.second));
    request = ops_.PollNotification();
    clock_.Advance(DeviceOperations::kPollSpacingMs);
  }
  EXPECT_EQ(request, c.dpi_request);
  EXPECT_EQ(Config(2, "dpi_index"), c.dpi_index);
  EXPECT_EQ(Config(2, "report_rate"), c.report_rate);
  EXPECT_EQ(Config(2, "light_mode"), c.light_mode);
  EXPECT_EQ(effects_.Log(), c.effects);
  EXPECT_EQ(sink_.Text(), c.typed);
  // Nothing but those three keys of the current profile.
  StoreSnapshot after = Snapshot();
  for (const char* key : {"dpi_index", "report_rate", "light_mode"}) {
    after.config["2/" + std::string(key)] = before.config.at("2/" + std::string(key));
  }
  EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Events, PollTest,
    ::testing::Values(
        // The first level byte 0 equals what is remembered at start.
        PollCase{"FirstLevelZeroChangesOnlyTheRate", {{0x10, 0, 2}}, "4", "2", "1",
                 {"rate 2"}, ""},
        PollCase{"LevelZeroAfterLevelThreeIsLevelOne",
                 {{0x10, 3, 4}, {0x10, 0, 4}}, "0", "4", "1",
                 {"dpi 3", "rate 4", "dpi 1", "rate 4"}, ""},
        PollCase{"LevelNineIsLevelSix", {{0x10, 9, 3}}, "5", "3", "1", {"dpi 6", "rate 3"}, ""},
        PollCase{"SameLevelChangesOnlyTheRate",
                 {{0x10, 2, 4}, {0x10, 2, 1}}, "1", "1", "1",
                 {"dpi 2", "rate 4", "rate 1"}, ""},
        PollCase{"LightingModeIsLimitedToSix", {{0x11, 200, 0}}, "4", "1", "6",
                 {"lighting 6"}, ""},
        PollCase{"BatteryAboveFullShowsFull", {{0xD0, 150, 1}}, "4", "1", "1",
                 {"battery 100 1"}, ""},
        PollCase{"BatteryFFAsksForTheDpiLevel", {{0xD0, 0xFF, 1}}, "4", "1", "1", {}, "", true},
        PollCase{"RateFFAsksForTheDpiLevel", {{0x10, 3, 0xFF}}, "4", "1", "1", {}, "", true},
        PollCase{"Emoji50", {{0x50, 1, 0}}, "4", "1", "1", {}, "[\u5FAE\u7B11]"},
        PollCase{"Emoji60", {{0x60, 64, 0}}, "4", "1", "1", {}, "[Emm]"},
        PollCase{"EmojiWithoutCode", {{0x50, 0, 0}, {0x60, 110, 0}}, "4", "1", "1", {}, ""},
        PollCase{"UnknownEvent", {{0x42, 3, 3}}, "4", "1", "1", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpsTest, PollIgnoresReportsThatAreNoNotification) {
  std::vector<uint8_t> filler(21, 0);
  filler[0] = 0xAA, filler[1] = 0xFA, filler[2] = 0x38, filler[3] = 0x38;
  filler[8] = 0xD0, filler[9] = 50;
  std::vector<uint8_t> unmarked = filler;
  unmarked[1] = 0xFB, unmarked[2] = 0;
  for (const auto& report : {filler, unmarked}) {
    ASSERT_TRUE(mouse_->PushRawReport(report));
    EXPECT_FALSE(ops_.PollNotification());
    clock_.Advance(DeviceOperations::kPollSpacingMs);
  }
  // Nothing waiting: the poll times out and does nothing.
  EXPECT_FALSE(ops_.PollNotification());
  EXPECT_TRUE(effects_.Log().empty());
}

TEST_F(OpsTest, PollsAreSpacedOnTheClock) {
  ASSERT_TRUE(mouse_->PushBattery(30, 0));
  ASSERT_TRUE(mouse_->PushBattery(40, 0));
  ops_.PollNotification();
  clock_.Advance(DeviceOperations::kPollSpacingMs - 1);
  ops_.PollNotification();  // too soon: reads nothing
  EXPECT_EQ(mouse_->PendingInputReports(), 1u);
  clock_.Advance(1);
  ops_.PollNotification();
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"battery 30 0", "battery 40 0"}));
}

TEST_F(OpsTest, EmojiIsTypedAsUnicodeKeystrokes) {
  ASSERT_TRUE(mouse_->PushEmoji(0x50, 71));
  ops_.PollNotification();
  const auto strokes = sink_.Strokes();
  ASSERT_EQ(strokes.size(), 10u);  // "[666]": five units, down and up
  EXPECT_EQ(strokes[0].unit, u'[');
  EXPECT_FALSE(strokes[0].key_up);
  EXPECT_TRUE(strokes[1].key_up);
  EXPECT_EQ(sink_.Text(), "[666]");
}

// --- the simulated firmware's buttons ---------------------------------------------

class FirmwareButtonTest : public OpsTest {
 protected:
  void SetUp() override {
    OpsTest::SetUp();
    sim::InstallFirmwareButtons(*mouse_);
    ButtonAssignment a;
    a.profile = 1;
    a.macro_value = 1;
    a.macro_desc = "x";
    for (auto [key, type] : {std::pair{6, FunctionType::DpiPlus},
                             std::pair{2, FunctionType::DpiMinus},
                             std::pair{3, FunctionType::DpiLoop},
                             std::pair{5, FunctionType::SpecialF00201}}) {
      a.key_code = key;
      a.macro_type = static_cast<int>(type);
      ASSERT_GT(store_.SaveAssignment(a), 0);
    }
    a.key_code = 4;
    a.macro_type = static_cast<int>(FunctionType::EmojiFunction);
    a.macro_value = 35;  // "[再见]"
    ASSERT_GT(store_.SaveAssignment(a), 0);
    ASSERT_TRUE(ops_.WriteSettingsBlock(1));
    ASSERT_TRUE(ops_.WriteButtonCodes(1));
    ASSERT_TRUE(ops_.WriteDpiLevel(1));  // level 1 of 6
    ASSERT_TRUE(ops_.WriteReportRate(1));  // 250 Hz
  }
  void Press(int key_code) {
    mouse_->PressButton(SlotOfPosition(key_code), 0);
    ops_.PollNotification();
    clock_.Advance(DeviceOperations::kPollSpacingMs);
  }
};

TEST_F(FirmwareButtonTest, DpiButtonsChangeTheLevelThatTheStoreThenHolds) {
  Press(6);  // DPI +
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 2);
  EXPECT_EQ(mouse_->ActiveDpiValue(), 2400);
  EXPECT_EQ(sim::DecodeSettingsBlock(mouse_->SettingsBlock(0)).active_level, 2);
  EXPECT_EQ(Config(1, "dpi_index"), "1");
  Press(6);
  Press(2);  // DPI -
  EXPECT_EQ(Config(1, "dpi_index"), "1");
  for (int i = 0; i < 5; ++i) Press(3);  // cycle: 3, 4, 5, 6, 1
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 1);
  EXPECT_EQ(Config(1, "dpi_index"), "0");
  EXPECT_EQ(effects_.Log(),
            (std::vector<std::string>{"dpi 2", "rate 2", "dpi 3", "rate 2", "dpi 2", "rate 2",
                                      "dpi 3", "rate 2", "dpi 4", "rate 2", "dpi 5", "rate 2",
                                      "dpi 6", "rate 2", "dpi 1", "rate 2"}));
}

TEST_F(FirmwareButtonTest, RateAndEmojiButtons) {
  Press(5);  // report rate +: 250 -> 500 Hz
  EXPECT_EQ(mouse_->ReportRate(), 3);
  EXPECT_EQ(Config(1, "report_rate"), "3");
  Press(4);
  EXPECT_EQ(sink_.Text(), "[\u518D\u89C1]");
}

TEST_F(FirmwareButtonTest, LightingChangedOnTheMouse) {
  ASSERT_TRUE(sim::ChangeLightingOnMouse(*mouse_, 0, 9));
  ops_.PollNotification();
  EXPECT_EQ(Config(1, "light_mode"), "6");
  EXPECT_EQ(sim::DecodeSettingsBlock(mouse_->SettingsBlock(0)).lighting_mode, 9);
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"lighting 6"}));
}

// A user pressing the DPI and rate buttons while the worker writes the
// profile and polls: the mouse's state stays whole, and once the buttons
// rest the store follows the mouse.
TEST_F(FirmwareButtonTest, PressesWhileTheHostTalks) {
  std::atomic<bool> done{false};
  std::thread user([&] {
    for (int i = 0; i < 150; ++i) {
      mouse_->PressButton(SlotOfPosition(i % 3 ? 6 : 5), 0);
      if (i % 7 == 0) sim::ChangeLightingOnMouse(*mouse_, 0, i % 7);
    }
    done = true;
  });
  while (!done) {
    ops_.WriteSettingsBlock(1);
    ops_.PollNotification();
    clock_.Advance(DeviceOperations::kPollSpacingMs);
  }
  user.join();
  while (mouse_->PendingInputReports() > 0) {
    ops_.PollNotification();
    clock_.Advance(DeviceOperations::kPollSpacingMs);
  }
  const sim::DecodedSettings s = sim::DecodeSettingsBlock(mouse_->SettingsBlock(0));
  EXPECT_EQ(s.level_count, 6);
  EXPECT_GE(mouse_->ActiveDpiLevel(), 1);
  EXPECT_LE(mouse_->ActiveDpiLevel(), 6);
  // One more press settles it: the stored level is the mouse's.
  Press(2);
  const int level = mouse_->ActiveDpiLevel();
  Press(level == 1 ? 6 : 2);
  EXPECT_EQ(Config(1, "dpi_index"), std::to_string(mouse_->ActiveDpiLevel() - 1));
  EXPECT_EQ(Config(1, "report_rate"), std::to_string(mouse_->ReportRate()));
}

}  // namespace
}  // namespace zq::test
