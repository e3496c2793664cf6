#include "device/codec/SettingsBlock.h"

#include <gtest/gtest.h>

#include "Bytes.h"

namespace zq::codec {
namespace {

using test::Bytes;
using test::Payload;
using test::Reply;

// The texts a new profile carries.
SettingsValues NewProfileValues() {
  return {{"light_mode", "1"},          {"sleep_light", "20"},      {"report_rate", "2"},
          {"button_respondtime", "8"},  {"sensor_flag", "53"},      {"liftoff_height", "1"},
          {"scroll_flag", "0"},         {"e-sports_flag", "1"},     {"leftbtn_lock", "1"},
          {"dpi_flag", "5"},            {"dpi_index", "0"},         {"dpi_count", "5"},
          {"dpi_group0_value", "1200"}, {"dpi_group1_value", "2400"},
          {"dpi_group2_value", "3200"}, {"dpi_group3_value", "4800"},
          {"dpi_group4_value", "6400"}, {"dpi_group5_value", "12000"},
          {"dpi_group0_rgb", "255"},    {"dpi_group1_rgb", "65280"},
          {"dpi_group2_rgb", "16711680"}, {"dpi_group3_rgb", "65535"},
          {"dpi_group4_rgb", "16776960"}, {"dpi_group5_rgb", "8388736"}};
}

TEST(SettingsBlockWrite, NewProfileGoesOutByteForByte) {
  const CommandBuffer b = BuildWriteSettings(2, NewProfileValues());
  EXPECT_EQ(Payload(b, 0, 8), (Bytes{0x55, 0x0F, 0xAE, ComputeChecksum(b), 0x2E, 0, 0, 2}));
  const Bytes block = {
      2,    1,    2,    6,    1,                                // 8..12
      0xB0, 0x04, 0x60, 0x09, 0x80, 0x0C, 0xC0, 0x12, 0x00, 0x19, 0xE0, 0x2E,  // 13..24
      0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,     // red, green, blue
      0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x80, 0x00, 0x80,     // yellow, cyan, purple
      0,    0,    0,    0,    0,                                // 43..47
      0,    1,    0x30, 8,    20,   1,                          // 48..53
  };
  EXPECT_EQ(Payload(b, 8, 46), block);
  EXPECT_EQ(Payload(b, 54, 10), Bytes(10, 0));
}

TEST(SettingsBlockWrite, DpiOutsideTheSensorRangeGoesOutAsZero) {
  struct Case {
    const char* text;
    Bytes bytes;
  } cases[] = {
      {"49", {0x00, 0x00}},   {"50", {0x32, 0x00}},   {"26000", {0x90, 0x65}},
      {"26001", {0x00, 0x00}}, {"-100", {0x00, 0x00}}, {"", {0x00, 0x00}},
      {"abc", {0x00, 0x00}},  {"1600x", {0x40, 0x06}},
  };
  for (const auto& c : cases) {
    SettingsValues v = NewProfileValues();
    v["dpi_group2_value"] = c.text;
    const CommandBuffer b = BuildWriteSettings(0, v);
    EXPECT_EQ(Payload(b, 17, 2), c.bytes) << c.text;
    EXPECT_EQ(Payload(b, 15, 2), (Bytes{0x60, 0x09})) << "neighbour level untouched";
  }
}

TEST(SettingsBlockWrite, FixedLevelCountColoursAndSensorBits) {
  SettingsValues v = NewProfileValues();
  v["dpi_flag"] = "3";
  v["dpi_index"] = "4";
  v["sensor_flag"] = "12";
  v["dpi_group0_rgb"] = "8388736";  // 0x800080
  const CommandBuffer b = BuildWriteSettings(0, v);
  EXPECT_EQ(b[At(11)], 6);
  EXPECT_EQ(b[At(12)], 5);
  EXPECT_EQ(b[At(50)], 0x11);
  EXPECT_EQ(Payload(b, 25, 3), (Bytes{0x80, 0x00, 0x80}));
  // Only the three known sensor bits travel.
  EXPECT_EQ(SensorFlagToDevice(0xFF), 0x31);
  EXPECT_EQ(SensorFlagToDevice(0x03), 0x00);
  // Missing keys read as 0.
  const CommandBuffer empty = BuildWriteSettings(1, {});
  EXPECT_EQ(Payload(empty, 8, 6), (Bytes{1, 0, 0, 6, 1, 0}));
}

std::vector<uint8_t> SettingsReplyBytes() {
  std::vector<uint8_t> r = Reply(kReadSettings);
  r[9] = 4;     // light_mode
  r[10] = 3;    // report_rate
  r[11] = 6;    // level count
  r[12] = 3;    // level 3
  const int dpi[6] = {800, 49, 26000, 26001, 1600, 50};
  for (int i = 0; i < 6; ++i) {
    r[13 + 2 * i] = static_cast<uint8_t>(dpi[i] & 0xFF);
    r[14 + 2 * i] = static_cast<uint8_t>(dpi[i] >> 8);
  }
  for (int i = 25; i <= 42; ++i) r[i] = 0x77;  // colours are not read back
  r[48] = 1;
  r[49] = 2;
  r[50] = 0x31;
  r[51] = 12;
  r[52] = 30;
  r[53] = 2;
  return r;
}

TEST(SettingsBlockRead, StoresEveryKeyInOrder) {
  const SettingsReply reply = UnpackSettingsReply(SettingsReplyBytes());
  ASSERT_EQ(reply.kind, SettingsReplyKind::Values);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"light_mode", "4"},        {"report_rate", "3"},         {"dpi_flag", "6"},
      {"dpi_count", "6"},         {"dpi_index", "2"},           {"dpi_group0_value", "800"},
      {"dpi_group2_value", "26000"}, {"dpi_group4_value", "1600"}, {"dpi_group5_value", "50"},
      {"scroll_flag", "1"},       {"liftoff_height", "2"},      {"sensor_flag", "28"},
      {"button_respondtime", "12"}, {"sleep_light", "30"},      {"e-sports_flag", "2"},
  };
  EXPECT_EQ(reply.values, expected);
}

TEST(SettingsBlockRead, LevelByteIsLimitedToSixLevels) {
  struct Case {
    uint8_t byte;
    const char* index;
  } cases[] = {{0, "0"}, {1, "0"}, {6, "5"}, {9, "5"}, {255, "5"}};
  for (const auto& c : cases) {
    std::vector<uint8_t> r = SettingsReplyBytes();
    r[12] = c.byte;
    const SettingsReply reply = UnpackSettingsReply(r);
    ASSERT_EQ(reply.kind, SettingsReplyKind::Values);
    EXPECT_EQ(reply.values[4], (std::pair<std::string, std::string>{"dpi_index", c.index}))
        << int(c.byte);
  }
}

TEST(SettingsBlockRead, RepliesThatStoreNothing) {
  std::vector<uint8_t> zero_head = SettingsReplyBytes();
  zero_head[9] = zero_head[10] = zero_head[11] = 0;
  EXPECT_EQ(UnpackSettingsReply(zero_head).kind, SettingsReplyKind::Empty);

  std::vector<uint8_t> unset = SettingsReplyBytes();
  unset[13] = unset[14] = unset[15] = 0xFF;
  EXPECT_EQ(UnpackSettingsReply(unset).kind, SettingsReplyKind::NoSettings);
  EXPECT_TRUE(UnpackSettingsReply(unset).values.empty());

  std::vector<uint8_t> nak = SettingsReplyBytes();
  nak[0] = 0x00;
  std::vector<uint8_t> wrong_echo = SettingsReplyBytes();
  wrong_echo[1] = 0x0F;
  std::vector<uint8_t> short_reply = SettingsReplyBytes();
  short_reply.resize(53);
  for (const auto& r : {nak, wrong_echo, short_reply}) {
    const SettingsReply reply = UnpackSettingsReply(r);
    EXPECT_EQ(reply.kind, SettingsReplyKind::Ignored);
    EXPECT_TRUE(reply.values.empty());
  }
}

TEST(SettingsBlock, ReadBackOfAWrittenBlockGivesTheStoredValues) {
  const SettingsValues v = NewProfileValues();
  CommandBuffer written = BuildWriteSettings(0, v);
  // The mouse answers with the block at the same offsets, without report id.
  std::vector<uint8_t> reply(written.begin() + 1, written.end());
  reply[0] = kAck;
  reply[1] = kReadSettings;
  const SettingsReply back = UnpackSettingsReply(reply);
  ASSERT_EQ(back.kind, SettingsReplyKind::Values);
  for (const auto& [key, text] : back.values) {
    if (key == "dpi_flag" || key == "dpi_count") {
      EXPECT_EQ(text, "6");  // the mouse always has six levels
    } else if (key == "sensor_flag") {
      EXPECT_EQ(text, "20");  // of 53 only the bits 4 and 16 travel
    } else {
      EXPECT_EQ(text, v.at(key)) << key;
    }
  }
}

TEST(DpiLevelCommand, CarriesLevelAndUncheckedValue) {
  SettingsValues v = NewProfileValues();
  v["dpi_index"] = "3";
  v["dpi_group3_value"] = "1600";
  EXPECT_EQ(Payload(BuildSetDpiLevel(0, v), 8, 5), (Bytes{0, 0, 4, 0x40, 0x06}));
  v["dpi_group3_value"] = "30000";
  EXPECT_EQ(Payload(BuildSetDpiLevel(0, v), 10, 3), (Bytes{4, 0x30, 0x75}));
  v["report_rate"] = "4";
  EXPECT_EQ(BuildSetReportRate(0, v)[At(10)], 4);
}

}  // namespace
}  // namespace zq::codec
