#include "macros/MacroModel.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(MacroItemText, MatchesTheStoredForms) {
  EXPECT_EQ(DelayItemText(50), " -   50 ms");
  EXPECT_EQ(DownItemText("A"), "\u2193  A");
  EXPECT_EQ(UpItemText(MouseButtonName(kButtonLeft)), "\u2191  LB");
  EXPECT_EQ(SingleMoveText(RecordType::MoveLeft, 7), "\u2190  7");
  EXPECT_EQ(SingleMoveText(RecordType::MoveUp, 3), "\u2191  3");
  EXPECT_EQ(SingleMoveText(RecordType::KeyDown, 3), "");
  EXPECT_EQ(NewMoveText(1, 1), "\u2192  1, \u2193  1");
  // The edited form has no blank after its comma.
  EXPECT_EQ(EditedMoveText(3, true, 2, true), "\u2190  3,\u2191  2");
  EXPECT_EQ(EditedMoveText(15, false, 0, false), "\u2192  15,\u2193  0");
}

TEST(MacroItemText, NameFollowsTheThreeCharacterPrefix) {
  EXPECT_EQ(ItemNameOf(DownItemText("Page Up")), "Page Up");
  EXPECT_EQ(ItemNameOf(UpItemText("Scroll Down")), "Scroll Down");
  EXPECT_EQ(ItemNameOf("\u2193  "), "");
  EXPECT_EQ(ItemNameOf("ab"), "");
}

TEST(MouseButtonName, NamesTheFiveButtonBits) {
  EXPECT_EQ(MouseButtonName(1), "LB");
  EXPECT_EQ(MouseButtonName(2), "RB");
  EXPECT_EQ(MouseButtonName(4), "MB");
  EXPECT_EQ(MouseButtonName(8), "Backward");
  EXPECT_EQ(MouseButtonName(16), "Forward");
  EXPECT_EQ(MouseButtonName(3), "");
}

TEST(MoveXY, EncodesDirectionsAndDistances) {
  struct Case {
    MoveXY move;
    int value;
  } cases[] = {
      {{3, true, 2, true}, 0x8283},
      {{3, true, 5, true}, 0x8583},
      {{1, false, 1, false}, 257},
      {{15, false, 15, true}, 0x8F0F},
      {{0, true, 0, false}, 0x0080},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeMoveXY(c.move), c.value) << std::hex << c.value;
    EXPECT_EQ(DecodeMoveXY(c.value), c.move) << std::hex << c.value;
  }
  // Distances beyond the editor's limit are cut to 15 and never reach the
  // direction bits.
  EXPECT_EQ(EncodeMoveXY({200, false, 300, false}), 0x0F0F);
  EXPECT_EQ(EncodeMoveXY({-4, false, -1, false}), 0);
}

TEST(MacroLimits, ClampToTheDocumentedRanges) {
  EXPECT_EQ(ClampFixedDelay(5), 10);
  EXPECT_EQ(ClampFixedDelay(20000), 15000);
  EXPECT_EQ(ClampItemDelay(0), 1);
  EXPECT_EQ(ClampItemDelay(20000), 15000);
  EXPECT_EQ(ClampPlayCount(0), 1);
  EXPECT_EQ(ClampPlayCount(256), 255);
  EXPECT_EQ(ClampMoveDistance(20), 15);
  EXPECT_EQ(ClampMoveDistance(-1), 0);
}

TEST(MacroRecords, ListItemsAreNumberedInListOrder) {
  const std::vector<RecordItem> items = {
      {DownItemText("A"), 2, 65, 900}, {DelayItemText(50), 1, 50, 901},
      {UpItemText("A"), 3, 65, 900}};
  const auto records = ToMacroRecords(7, items);
  ASSERT_EQ(records.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(records[i].macro_id, 7);
    EXPECT_EQ(records[i].record_index, i);
    EXPECT_EQ(ToRecordItem(records[i]), items[i]);
  }
  EXPECT_EQ(records[1].delay_time, 901);  // the timestamp, not the delay
}

TEST(NewMacro, DefaultsPlayOnceWithRecordedDelays) {
  const Macro m;
  EXPECT_EQ(m.play_type, kNewMacroPlayType);
  EXPECT_EQ(m.play_times, kNewMacroPlayTimes);
  EXPECT_EQ(m.delay_type, kNewMacroDelayType);
  EXPECT_EQ(m.delay_time, kNewMacroDelayTime);
}

}  // namespace
}  // namespace zq
