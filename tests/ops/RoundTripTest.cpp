// A profile written to the simulated mouse arrives as it was defined (what
// the firmware decodes from its storage), and reading it back restores the
// store.

#include <gtest/gtest.h>

#include "OpsRig.h"
#include "buttons/FunctionCatalogue.h"
#include "buttons/KeyTables.h"
#include "macros/MacroModel.h"
#include "sim/FirmwareDecoders.h"

namespace zq::test {
namespace {

using sim::ButtonAction;
using sim::MacroStepKind;

ButtonAssignment Assign(int profile, int key_code, FunctionType type, int value, int value2 = 0,
                        const std::string& desc = "x") {
  ButtonAssignment a;
  a.profile = profile;
  a.key_code = key_code;
  a.macro_type = static_cast<int>(type);
  a.macro_value = value;
  a.macro_value2 = value2;
  a.macro_desc = desc;
  return a;
}

MacroRecord Item(RecordType type, int value, const std::string& desc = "") {
  MacroRecord r;
  r.type = static_cast<int>(type);
  r.value = value;
  r.desc = desc;
  return r;
}

class RoundTripTest : public OpsTest {
 protected:
  int AddMacro(const std::string& name, PlayType play, int times, std::vector<MacroRecord> items) {
    const int id = store_.CreateMacro(name);
    EXPECT_GT(id, 0);
    Macro m;
    EXPECT_TRUE(store_.GetMacro(id, m));
    m.play_type = static_cast<int>(play);
    m.play_times = times;
    EXPECT_TRUE(store_.UpdateMacro(m));
    for (size_t i = 0; i < items.size(); ++i) {
      items[i].macro_id = id;
      items[i].record_index = static_cast<int>(i);
    }
    EXPECT_TRUE(store_.AddMacroRecords(items));
    return id;
  }
  sim::DecodedFunction Function(int profile, int key_code) {
    return sim::DecodeSlot(mouse_->KeyCodesOf(profile - 1), SlotOfPosition(key_code));
  }
};

TEST_F(RoundTripTest, SettingsArriveAsDefinedAndReadBack) {
  const std::map<std::string, std::string> defined = {
      {"light_mode", "4"},          {"report_rate", "3"},        {"dpi_index", "3"},
      {"dpi_group0_value", "400"},  {"dpi_group1_value", "49"},  {"dpi_group2_value", "26000"},
      {"dpi_group3_value", "1600"}, {"dpi_group4_value", "50"},  {"dpi_group5_value", "26001"},
      {"dpi_group0_rgb", "255"},    {"dpi_group1_rgb", "65280"}, {"dpi_group2_rgb", "16711680"},
      {"dpi_group3_rgb", "65535"},  {"dpi_group4_rgb", "16776960"},
      {"dpi_group5_rgb", "8388736"},
      {"scroll_flag", "1"},         {"liftoff_height", "2"},     {"sensor_flag", "12"},
      {"button_respondtime", "12"}, {"sleep_light", "30"},       {"e-sports_flag", "2"},
  };
  SetConfig(2, defined);

  EXPECT_TRUE(ops_.WriteSettingsBlock(2));
  EXPECT_TRUE(ops_.WriteDpiLevel(2));
  EXPECT_TRUE(ops_.WriteReportRate(2));

  const sim::DecodedSettings s = sim::DecodeSettingsBlock(mouse_->SettingsBlock(1));
  ASSERT_FALSE(s.blank);
  EXPECT_EQ(s.profile_index, 1);
  EXPECT_EQ(s.lighting_mode, 4);
  EXPECT_EQ(s.report_rate_hz, 500);
  EXPECT_EQ(s.level_count, 6);
  EXPECT_EQ(s.active_level, 4);
  // 49 and 26001 cannot be set on the mouse and go out as "no value".
  const std::array<sim::DecodedDpiLevel, 6> levels = {{{400, 255, 0, 0},
                                                       {0, 0, 255, 0},
                                                       {26000, 0, 0, 255},
                                                       {1600, 255, 255, 0},
                                                       {50, 0, 255, 255},
                                                       {0, 128, 0, 128}}};
  EXPECT_EQ(s.levels, levels);
  EXPECT_EQ(s.scroll_direction, 1);
  EXPECT_EQ(s.liftoff, 2);
  EXPECT_EQ(s.sensor_bits, 0x11);
  EXPECT_EQ(s.sensor_options, (std::array<bool, 3>{true, true, false}));
  EXPECT_EQ(s.debounce_ms, 12);
  EXPECT_EQ(s.sleep_time, 30);
  EXPECT_EQ(s.game_mode, 2);
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 4);
  EXPECT_EQ(mouse_->ActiveDpiValue(), 1600);
  EXPECT_EQ(mouse_->ReportRate(), 3);

  // The store forgets the profile's values; the read brings them back.
  SetConfig(2, {{"light_mode", "0"}, {"report_rate", "1"}, {"dpi_index", "0"},
                {"dpi_group0_value", "800"}, {"dpi_group1_value", "77"},
                {"dpi_group5_value", "12000"}, {"scroll_flag", "0"}, {"liftoff_height", "1"},
                {"sensor_flag", "0"}, {"button_respondtime", "0"}, {"sleep_light", "0"},
                {"e-sports_flag", "1"}, {"dpi_group3_rgb", "0"}});
  EXPECT_TRUE(ops_.ReadSettingsBlock(2));
  std::map<std::string, std::string> expected = defined;
  expected["dpi_group1_value"] = "77";     // the mouse had no value: the text stays
  expected["dpi_group5_value"] = "12000";  // likewise
  expected["dpi_group3_rgb"] = "0";        // colours are never read back
  for (const auto& [key, value] : expected) EXPECT_EQ(Config(2, key), value) << key;
  EXPECT_EQ(Config(2, "dpi_flag"), "6");
  EXPECT_EQ(Config(2, "dpi_count"), "6");
}

TEST_F(RoundTripTest, ButtonsAndMacrosArriveAsDefinedAndReadBack) {
  // Key down A, 50 ms, key up A; played three times.
  const int typing = AddMacro("typing", PlayType::PlayCount, 3,
                              {Item(RecordType::KeyDown, 65), Item(RecordType::Delay, 50),
                               Item(RecordType::KeyUp, 65)});
  // Button and wheel steps and a diagonal move, without delays in between,
  // and a trailing delay; looping.
  const int moves = AddMacro(
      "moves", PlayType::LoopFirst, 1,
      {Item(RecordType::MouseDown, kButtonRight, DownItemText("RB")),
       Item(RecordType::MouseUp, kButtonRight, UpItemText("RB")),
       Item(RecordType::MouseDown, 1, DownItemText(kScrollDownName)),
       Item(RecordType::MoveXY, EncodeMoveXY({3, true, 5, true})), Item(RecordType::Delay, 300)});
  // Delays only: the macro waits and does nothing else.
  const int pause = AddMacro("pause", PlayType::LoopSecond, 1,
                             {Item(RecordType::Delay, 20), Item(RecordType::Delay, 30)});

  const std::vector<ButtonAssignment> profile1 = {
      Assign(1, 2, FunctionType::KeyCombination, 0x04, kModCtrl | kModShift),
      Assign(1, 3, FunctionType::MacroFunction, typing),
      Assign(1, 4, FunctionType::Multimedia, 6),
      Assign(1, 5, FunctionType::Shortcut, 9),
      Assign(1, 6, FunctionType::DpiLoop, 1),
      Assign(1, 7, FunctionType::Disabled, 1),
      Assign(1, 8, FunctionType::EmojiFunction, 1),
  };
  const std::vector<ButtonAssignment> profile4 = {
      Assign(4, 2, FunctionType::MacroFunction, moves),
      Assign(4, 3, FunctionType::MacroFunction, pause),
  };
  for (const auto& a : profile1) ASSERT_GT(store_.SaveAssignment(a), 0);
  for (const auto& a : profile4) ASSERT_GT(store_.SaveAssignment(a), 0);

  EXPECT_TRUE(ops_.WriteMacroImage());
  for (int p = 1; p <= kProfiles; ++p) EXPECT_TRUE(ops_.WriteButtonCodes(p)) << p;
  EXPECT_EQ(mouse_->MacroCompleteCount(), 1);

  // --- what the mouse now does -----------------------------------------------
  auto f = Function(1, 2);
  EXPECT_EQ(f.action, ButtonAction::Key);
  EXPECT_EQ(f.modifiers, kModCtrl | kModShift);
  EXPECT_EQ(f.usage, 0x04);
  f = Function(1, 3);
  EXPECT_EQ(f.action, ButtonAction::Macro);
  EXPECT_EQ(f.macro_index, 0);
  EXPECT_EQ(f.play_count, 3);
  EXPECT_EQ(f.macro_mode, sim::MacroMode::PlayCount);
  f = Function(1, 4);
  EXPECT_EQ(f.action, ButtonAction::Consumer);
  EXPECT_EQ(f.usage, 0xE9);  // volume up
  f = Function(1, 5);
  EXPECT_EQ(f.action, ButtonAction::Key);  // Alt + Tab
  EXPECT_EQ(f.modifiers, kModAlt);
  EXPECT_EQ(f.usage, 0x2B);
  EXPECT_EQ(Function(1, 6).action, ButtonAction::DpiCycle);
  f = Function(1, 7);
  EXPECT_EQ(f.action, ButtonAction::Disabled);
  EXPECT_EQ(f.code, (std::array<uint8_t, 4>{0x00, 0x38, 0x01, 0x00}));
  f = Function(1, 8);
  EXPECT_EQ(f.action, ButtonAction::Emoji);
  EXPECT_EQ(f.emoji, 1);
  // Positions without an assignment keep their defaults.
  EXPECT_EQ(Function(1, 1).action, ButtonAction::MouseButton);
  EXPECT_EQ(Function(1, 1).buttons, 1);
  f = Function(3, 4);
  EXPECT_EQ(f.action, ButtonAction::MouseButton);
  EXPECT_EQ(f.buttons, 0x10);  // forward

  f = Function(4, 2);
  EXPECT_EQ(f.action, ButtonAction::Macro);
  EXPECT_EQ(f.macro_index, 1);
  EXPECT_EQ(f.macro_mode, sim::MacroMode::LoopFirst);
  f = Function(4, 3);
  EXPECT_EQ(f.action, ButtonAction::Macro);
  EXPECT_EQ(f.macro_index, 2);
  EXPECT_EQ(f.macro_mode, sim::MacroMode::LoopSecond);

  const std::vector<uint8_t> image = mouse_->MacroImage();
  const auto macros = sim::DecodeMacroMemory(image);
  ASSERT_EQ(macros.size(), 3u);
  struct Step {
    MacroStepKind kind;
    int value, dx, dy, delay;
  };
  auto expect_steps = [](const sim::DecodedMacro& m, const std::vector<Step>& steps) {
    EXPECT_TRUE(m.complete) << m.index;
    ASSERT_EQ(m.steps.size(), steps.size()) << m.index;
    for (size_t i = 0; i < steps.size(); ++i) {
      SCOPED_TRACE("macro " + std::to_string(m.index) + " step " + std::to_string(i));
      EXPECT_EQ(m.steps[i].kind, steps[i].kind);
      EXPECT_EQ(m.steps[i].value, steps[i].value);
      EXPECT_EQ(m.steps[i].dx, steps[i].dx);
      EXPECT_EQ(m.steps[i].dy, steps[i].dy);
      EXPECT_EQ(m.steps[i].delay_ms, steps[i].delay);
    }
  };
  EXPECT_EQ(macros[0].offset, 64);
  expect_steps(macros[0], {{MacroStepKind::KeyDown, 0x04, 0, 0, 50},
                           {MacroStepKind::KeyUp, 0x04, 0, 0, 0}});
  expect_steps(macros[1], {{MacroStepKind::ButtonDown, kButtonRight, 0, 0, 10},
                           {MacroStepKind::ButtonUp, kButtonRight, 0, 0, 10},
                           {MacroStepKind::Wheel, -1, 0, 0, 10},
                           {MacroStepKind::Move, 0, -3, -5, 300}});
  expect_steps(macros[2], {{MacroStepKind::Empty, 0, 0, 0, 50}});

  // --- and back ------------------------------------------------------------------
  const std::vector<ButtonAssignment> before1 = profile1;
  ASSERT_TRUE(store_.DeleteProfileAssignments(1));
  ASSERT_TRUE(store_.DeleteProfileAssignments(4));
  for (int p = 1; p <= 6; ++p) EXPECT_TRUE(ops_.ReadButtonCodes(p)) << p;
  auto expect_row = [&](const ButtonAssignment& want) {
    ButtonAssignment got;
    ASSERT_TRUE(store_.GetAssignment(want.profile, want.key_code, got)) << want.key_code;
    EXPECT_EQ(got.macro_type, want.macro_type) << want.key_code;
    EXPECT_EQ(got.macro_value, want.macro_value) << want.key_code;
    EXPECT_EQ(got.macro_value2, want.macro_value2) << want.key_code;
  };
  for (const auto& a : profile1) expect_row(a);
  for (const auto& a : profile4) expect_row(a);
  expect_row(Assign(1, 1, FunctionType::LeftClick, 1));
  // The mouse's sixth profile lands in profile 6, beside the five.
  expect_row(Assign(6, 4, FunctionType::Forward, 1));
}

// 200-item macros fill the memory: the sixth does not fit and is left out,
// the next small one still gets in. A button naming the left-out macro must
// send nothing, also when the key reports go without an image.
TEST_F(RoundTripTest, MacroLeftOutOfMemorySendsNothing) {
  std::vector<MacroRecord> big;
  for (int i = 0; i < kMaxMacroItems; ++i) {
    big.push_back(Item(i % 2 ? RecordType::KeyUp : RecordType::KeyDown, 65 + i % 26));
  }
  std::vector<int> ids;
  for (int i = 0; i < 6; ++i) ids.push_back(AddMacro("big", PlayType::PlayCount, 1, big));
  const int small = AddMacro("small", PlayType::PlayCount, 2,
                             {Item(RecordType::KeyDown, 66), Item(RecordType::KeyUp, 66)});
  ASSERT_GT(store_.SaveAssignment(Assign(1, 2, FunctionType::MacroFunction, ids[5])), 0);
  ASSERT_GT(store_.SaveAssignment(Assign(1, 3, FunctionType::MacroFunction, small)), 0);
  ASSERT_GT(store_.SaveAssignment(Assign(1, 5, FunctionType::MacroFunction, ids[4])), 0);

  // Restoring defaults writes the key reports alone.
  EXPECT_TRUE(ops_.WriteButtonCodes(1));
  EXPECT_EQ(Function(1, 2).action, ButtonAction::Nothing);
  EXPECT_EQ(Function(1, 3).macro_index, 6);
  EXPECT_EQ(Function(1, 5).macro_index, 4);

  EXPECT_TRUE(ops_.WriteMacroImage());
  const std::vector<uint8_t> image = mouse_->MacroImage();
  EXPECT_FALSE(sim::DecodeMacroAt(image, 5).has_value());
  const auto held = sim::DecodeMacroAt(image, 6);
  ASSERT_TRUE(held.has_value());
  ASSERT_EQ(held->steps.size(), 2u);
  EXPECT_TRUE(held->complete);
  EXPECT_EQ(held->steps[0].kind, MacroStepKind::KeyDown);
  EXPECT_EQ(held->steps[0].value, 0x05);  // B
  const auto last_big = sim::DecodeMacroAt(image, 4);
  ASSERT_TRUE(last_big.has_value());
  EXPECT_EQ(last_big->steps.size(), static_cast<size_t>(kMaxMacroItems));
  EXPECT_TRUE(last_big->complete);
}

}  // namespace
}  // namespace zq::test
