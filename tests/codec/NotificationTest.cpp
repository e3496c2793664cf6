#include "device/codec/Notification.h"

#include <gtest/gtest.h>

#include "Bytes.h"

namespace zq::codec {
namespace {

std::vector<uint8_t> Report(uint8_t event, uint8_t v1, uint8_t v2 = 0) {
  std::vector<uint8_t> r(kNotificationSize, 0);
  r[0] = 0xAA;
  r[1] = 0xFA;
  r[8] = event;
  r[9] = v1;
  r[10] = v2;
  return r;
}

TEST(Notification, KindsAndTheirValues) {
  struct Case {
    std::vector<uint8_t> report;
    NotificationKind kind;
    int value;  // the kind's own value: mode, emoji or battery level
  } cases[] = {
      {Report(0x10, 3, 4), NotificationKind::DpiOrReportRate, 0},
      {Report(0x11, 4), NotificationKind::LightingMode, 4},
      {Report(0x11, 200), NotificationKind::LightingMode, 6},
      {Report(0x50, 1), NotificationKind::Emoji, 1},
      {Report(0x60, 71), NotificationKind::Emoji, 71},
      {Report(0xD0, 150, 1), NotificationKind::Battery, 100},
      {Report(0xD0, 42, 2), NotificationKind::Battery, 42},
      {Report(0xD0, 0xFF, 1), NotificationKind::DpiLevelRequest, 0},
      {Report(0x50, 3, 0xFF), NotificationKind::DpiLevelRequest, 0},
      {Report(0x77, 0xFF), NotificationKind::DpiLevelRequest, 0},
      {Report(0x77, 1), NotificationKind::Other, 0},
  };
  for (const auto& c : cases) {
    const Notification n = ParseNotification(c.report);
    EXPECT_EQ(n.kind, c.kind) << std::hex << int(c.report[8]) << " " << int(c.report[9]);
    switch (c.kind) {
      case NotificationKind::LightingMode: EXPECT_EQ(n.light_mode, c.value); break;
      case NotificationKind::Emoji: EXPECT_EQ(n.emoji, c.value); break;
      case NotificationKind::Battery:
        EXPECT_EQ(n.battery_level, c.value);
        EXPECT_EQ(n.battery_state, c.report[10]);
        break;
      default: break;
    }
  }
}

TEST(Notification, ReportsWithoutTheMarkerAreNothing) {
  std::vector<uint8_t> not_ack = Report(0x10, 2, 4);
  not_ack[0] = 0x00;
  std::vector<uint8_t> no_marker = Report(0x10, 2, 4);
  no_marker[1] = 0x0E;
  std::vector<uint8_t> filler = Report(0xD0, 0xFF, 0xFF);
  filler[2] = filler[3] = 0x38;
  std::vector<uint8_t> one_38 = Report(0x11, 2);
  one_38[2] = 0x38;
  std::vector<uint8_t> timed_out(kNotificationSize, 0);
  std::vector<uint8_t> short_report = Report(0x10, 2, 4);
  short_report.resize(10);
  for (const auto& r : {not_ack, no_marker, filler, timed_out, short_report})
    EXPECT_EQ(ParseNotification(r).kind, NotificationKind::None);
  EXPECT_EQ(ParseNotification(one_38).kind, NotificationKind::LightingMode);
}

TEST(DpiNotificationTracker, LevelChangesOnlyWhenTheByteDiffers) {
  DpiNotificationTracker t;
  struct Step {
    uint8_t level, rate;
    bool changed;
    int new_level;
  } steps[] = {
      {0, 2, false, 0},  // the first event with level 0 changes only the rate
      {3, 2, true, 3},
      {3, 4, false, 0},  // same level, new rate
      {0, 4, true, 1},   // below 1 gives level 1
      {9, 4, true, 6},   // above 6 gives level 6
      {6, 1, false, 0},  // 6 is what was remembered
  };
  for (const auto& s : steps) {
    const auto u = t.Apply(s.level, s.rate);
    EXPECT_EQ(u.level_changed, s.changed) << int(s.level);
    if (s.changed) {
      EXPECT_EQ(u.level, s.new_level);
      EXPECT_EQ(u.dpi_index, s.new_level - 1);
    }
    EXPECT_EQ(u.report_rate, s.rate);
  }
  EXPECT_EQ(t.last_level(), 6);
  EXPECT_EQ(t.last_report_rate(), 1);
  EXPECT_EQ(ReportRateHz(1), 125);
  EXPECT_EQ(ReportRateHz(2), 250);
  EXPECT_EQ(ReportRateHz(3), 500);
  EXPECT_EQ(ReportRateHz(4), 1000);
  EXPECT_EQ(ReportRateHz(0), 1000);
  EXPECT_EQ(ReportRateHz(77), 1000);
}

TEST(Replies, BatteryAndVersion) {
  std::vector<uint8_t> battery = test::Reply(kReadBattery);
  battery[8] = 180;  // passed on unchanged
  battery[9] = 3;
  const auto info = ParseBatteryReply(battery);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->level, 180);
  EXPECT_EQ(info->state, 3);
  battery[1] = 0x31;
  EXPECT_FALSE(ParseBatteryReply(battery));

  struct Case {
    uint8_t b23, b24, b25;
    const char* text;
  } cases[] = {{0x31, 0x30, 0x35, "1.0.5"}, {0x32, 0x41, 0x39, "2.0.9"},
               {0x00, 0xFF, '9', "0.0.9"}, {'/', ':', '0', "0.0.0"}};
  for (const auto& c : cases) {
    std::vector<uint8_t> r = test::Reply(kReadVersion);
    r[23] = c.b23;
    r[24] = c.b24;
    r[25] = c.b25;
    EXPECT_EQ(ParseVersionReply(r).value_or("none"), c.text);
  }
  std::vector<uint8_t> nak = test::Reply(kReadVersion);
  nak[0] = 0;
  EXPECT_FALSE(ParseVersionReply(nak));
  std::vector<uint8_t> short_reply = test::Reply(kReadVersion);
  short_reply.resize(25);
  EXPECT_FALSE(ParseVersionReply(short_reply));
}

}  // namespace
}  // namespace zq::codec
