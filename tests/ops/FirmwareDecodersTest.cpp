// The simulated firmware reading storage it did not get from this program:
// a macro table pointing anywhere, events without an end, codes nobody sends.

#include <gtest/gtest.h>

#include "sim/FirmwareDecoders.h"

namespace zq::sim {
namespace {

std::vector<uint8_t> ImageWithEntry(int index, int offset) {
  std::vector<uint8_t> image(SimulatedMouse::kMacroImageSize, 0);
  image[2 * index] = static_cast<uint8_t>(offset & 0xFF);
  image[2 * index + 1] = static_cast<uint8_t>(offset >> 8);
  return image;
}

TEST(FirmwareDecodersTest, MacroTableEntriesOutsideTheEventsPlayNothing) {
  struct Case {
    const char* name;
    int offset;
    size_t steps;
  };
  const Case cases[] = {
      {"into the table", 10, 0},
      {"last whole event without end", 4220, 1},
      {"past the last whole event", 4222, 0},
      {"beyond the memory", 0xFFFF, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto m = DecodeMacroAt(ImageWithEntry(3, c.offset), 3);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->steps.size(), c.steps);
    EXPECT_FALSE(m->complete);
  }
  EXPECT_FALSE(DecodeMacroAt(ImageWithEntry(3, 64), 4).has_value());
  EXPECT_FALSE(DecodeMacroAt(std::vector<uint8_t>(10, 0x40), 0).has_value());
}

TEST(FirmwareDecodersTest, EventsWithoutEndMarkRunToTheEndOfMemory) {
  std::vector<uint8_t> image = ImageWithEntry(0, 64);
  for (size_t at = 64; at < image.size(); at += 4) image[at + 2] = 0x42;
  const auto m = DecodeMacroAt(image, 0);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->steps.size(), (image.size() - 64) / 4);
  EXPECT_FALSE(m->complete);
}

TEST(FirmwareDecodersTest, KeyCodesByClass) {
  struct Case {
    std::array<uint8_t, 4> code;
    ButtonAction action;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x00, 0x00}, ButtonAction::Nothing},
      {{0xFF, 0xFF, 0xFF, 0xFF}, ButtonAction::Nothing},
      {{0x00, 0x21, 0xAA, 0x00}, ButtonAction::Disabled},
      {{0x20, 0x01, 0x02, 0x00}, ButtonAction::DoubleClick},
      {{0x21, 0x38, 0xFF, 0x00}, ButtonAction::Wheel},
      {{0x21, 0x61, 0x00, 0x00}, ButtonAction::Special},
      {{0xF0, 0x01, 0x02, 0x00}, ButtonAction::DpiDown},
      {{0xF0, 0x02, 0x03, 0x00}, ButtonAction::RateCycle},
      {{0xF0, 0x03, 0x01, 0x00}, ButtonAction::Unknown},
      {{0x99, 0x01, 0x01, 0x01}, ButtonAction::Unknown},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeKeyCode(c.code).action, c.action) << int(c.code[0]);
  const DecodedFunction macro = DecodeKeyCode({0x70, 0x04, 0x09, 0x07});
  EXPECT_EQ(macro.macro_index, 4);
  EXPECT_EQ(macro.play_count, 9);
  EXPECT_EQ(macro.macro_mode, MacroMode::Unknown);
  EXPECT_EQ(DecodeSlot(SimulatedMouse::KeyCodes{}, 9).action, ButtonAction::Nothing);
}

TEST(FirmwareDecodersTest, BlankBlockHasNoValues) {
  SimulatedMouse::Block block;
  block.fill(0xFF);
  const DecodedSettings s = DecodeSettingsBlock(block);
  EXPECT_TRUE(s.blank);
  EXPECT_EQ(s.levels[0].dpi, 0);
  block[2] = 9;
  EXPECT_EQ(DecodeSettingsBlock(block).report_rate_hz, 0);
}

}  // namespace
}  // namespace zq::sim
