#include "device/codec/KeyReport.h"

#include <gtest/gtest.h>

#include "Bytes.h"

namespace zq::codec {
namespace {

using test::Bytes;
using test::Payload;
using test::Reply;

ButtonAssignment Assign(int key_code, FunctionType type, int value, int value2 = 0) {
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = key_code;
  a.macro_type = static_cast<int>(type);
  a.macro_value = value;
  a.macro_value2 = value2;
  return a;
}

const Bytes kDefaultSlots = {0x20, 0x01, 0x00, 0x00, 0x20, 0x02, 0x00, 0x00, 0x20, 0x04, 0x00,
                             0x00, 0x20, 0x08, 0x00, 0x00, 0x20, 0x10, 0x00, 0x00, 0x21, 0x55,
                             0x00, 0x00, 0x21, 0x38, 0x01, 0x00, 0x21, 0x38, 0xFF, 0x00};

TEST(KeyReportWrite, ProfileWithoutAssignmentsGetsTheEightDefaults) {
  const CommandBuffer b = BuildWriteButtonCodes(3, {}, {});
  EXPECT_EQ(Payload(b, 0, 8), (Bytes{0x55, 0x09, 0xA5, ComputeChecksum(b), 0x20, 0, 0, 3}));
  EXPECT_EQ(Payload(b, 8, 32), kDefaultSlots);
  EXPECT_EQ(Payload(b, 40, 24), Bytes(24, 0));
}

TEST(KeyReportWrite, ForwardAndBackwardSwapSlots) {
  const CommandBuffer b = BuildWriteButtonCodes(
      0, {Assign(5, FunctionType::DpiPlus, 1), Assign(4, FunctionType::DpiMinus, 1)}, {});
  EXPECT_EQ(Payload(b, 20, 4), (Bytes{0xF0, 0x01, 0x01, 0x00}));  // key_code 5: slot 3
  EXPECT_EQ(Payload(b, 24, 4), (Bytes{0xF0, 0x01, 0x02, 0x00}));  // key_code 4: slot 4
  EXPECT_EQ(Payload(b, 8, 12), Bytes(kDefaultSlots.begin(), kDefaultSlots.begin() + 12));
}

TEST(KeyReportWrite, LaterAssignmentsWinAndStrangePositionsAreSkipped) {
  const CommandBuffer b = BuildWriteButtonCodes(
      0,
      {Assign(2, FunctionType::DpiPlus, 1), Assign(2, FunctionType::Disabled, 1),
       Assign(0, FunctionType::DpiLoop, 1), Assign(10, FunctionType::DpiLoop, 1),
       Assign(-7, FunctionType::DpiLoop, 1), Assign(9, FunctionType::Disabled, 1)},
      {});
  EXPECT_EQ(Payload(b, 12, 4), (Bytes{0x00, 0x02, 0x00, 0x00}));
  EXPECT_EQ(Payload(b, 16, 24), Bytes(kDefaultSlots.begin() + 8, kDefaultSlots.end()));
  // The ninth position sits after the counted data.
  EXPECT_EQ(Payload(b, 40, 4), (Bytes{0x00, 0x21, 0xAA, 0x00}));
  EXPECT_EQ(Payload(b, 44, 20), Bytes(20, 0));
}

TEST(KeyReportWrite, MacroPositionsFollowThePlacement) {
  Macro a, c;
  a.macro_id = 3;
  c.macro_id = 8;
  MacroPlacement placement;
  placement.held = {false, true};
  const CommandBuffer b = BuildWriteButtonCodes(
      0, {Assign(2, FunctionType::MacroFunction, 3), Assign(3, FunctionType::MacroFunction, 8)},
      {a, c}, &placement);
  EXPECT_EQ(Payload(b, 12, 4), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Payload(b, 16, 4), (Bytes{0x70, 0x01, 0x01, 0x00}));
}

TEST(KeyReportRead, DecodesNineSlotsIntoPositions) {
  std::vector<uint8_t> r = Reply(kReadButtonCodes);
  const uint8_t codes[9][4] = {
      {0x20, 0x01, 0x00, 0x00}, {0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00, 0x00},
      {0xF0, 0x01, 0x03, 0x00},  // slot 3: position 5
      {0x30, 0xE9, 0x00, 0x00},  // slot 4: position 4
      {0x00, 0x00, 0x00, 0x00},  // a disabled sixth position reads as nothing
      {0x10, 0x01, 0x06, 0x00}, {0x50, 0x07, 0x00, 0x00}, {0x21, 0xAA, 0x00, 0x00},
  };
  for (int s = 0; s < 9; ++s)
    for (int j = 0; j < 4; ++j) r[8 + 4 * s + j] = codes[s][j];
  const auto assignments = DecodeButtonCodesReply(4, r, {});
  struct Expected {
    int key_code;
    FunctionType type;
    int value;
  } expected[] = {
      {1, FunctionType::LeftClick, 1},  {5, FunctionType::DpiLoop, 1},
      {4, FunctionType::Multimedia, 6}, {7, FunctionType::Shortcut, 11},
      {8, FunctionType::EmojiFunction, 7}, {9, FunctionType::Special21AA, 1},
  };
  ASSERT_EQ(assignments.size(), std::size(expected));
  for (size_t i = 0; i < assignments.size(); ++i) {
    EXPECT_EQ(assignments[i].profile, 4);
    EXPECT_EQ(assignments[i].key_code, expected[i].key_code) << i;
    EXPECT_EQ(assignments[i].macro_type, static_cast<int>(expected[i].type)) << i;
    EXPECT_EQ(assignments[i].macro_value, expected[i].value) << i;
  }
}

TEST(KeyReportRead, UnacknowledgedOrShortRepliesGiveNothing) {
  std::vector<uint8_t> nak = Reply(kReadButtonCodes);
  nak[8] = 0x20;
  nak[9] = 0x01;
  nak[0] = 0x00;
  EXPECT_TRUE(DecodeButtonCodesReply(1, nak, {}).empty());
  std::vector<uint8_t> short_reply = Reply(kReadButtonCodes);
  short_reply.resize(43);
  EXPECT_FALSE(ParseButtonCodesReply(short_reply));
  // Only the acknowledgement counts for this read, not the echo.
  std::vector<uint8_t> other_echo = Reply(0x77);
  other_echo[8] = 0x20;
  other_echo[9] = 0x02;
  EXPECT_EQ(DecodeButtonCodesReply(1, other_echo, {}).size(), 1u);
}

}  // namespace
}  // namespace zq::codec
