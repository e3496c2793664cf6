#include "device/codec/Notification.h"

#include <algorithm>

#include "device/codec/Command.h"

namespace zq::codec {

Notification ParseNotification(std::span<const uint8_t> r) {
  Notification n;
  if (r.size() < 11 || r[0] != kAck || r[1] != kNotificationMarker) return n;
  if (r[2] == 0x38 && r[3] == 0x38) return n;
  n.event = r[8];
  n.value1 = r[9];
  n.value2 = r[10];
  if (n.value1 == 0xFF || n.value2 == 0xFF) {
    n.kind = NotificationKind::DpiLevelRequest;
    return n;
  }
  switch (n.event) {
    case 0x10:
      n.kind = NotificationKind::DpiOrReportRate;
      break;
    case 0x11:
      n.kind = NotificationKind::LightingMode;
      n.light_mode = std::min<int>(n.value1, 6);
      break;
    case 0x50:
    case 0x60:
      n.kind = NotificationKind::Emoji;
      n.emoji = n.value1;
      break;
    case 0xD0:
      n.kind = NotificationKind::Battery;
      n.battery_level = std::min<int>(n.value1, 100);
      n.battery_state = n.value2;
      break;
    default:
      n.kind = NotificationKind::Other;
      break;
  }
  return n;
}

DpiNotificationTracker::Update DpiNotificationTracker::Apply(uint8_t level_byte,
                                                             uint8_t rate_byte) {
  Update u;
  if (level_byte != last_level_) {
    last_level_ = std::clamp<int>(level_byte, 1, 6);
    u.level_changed = true;
    u.level = last_level_;
    u.dpi_index = last_level_ - 1;
  }
  last_report_rate_ = rate_byte;
  u.report_rate = rate_byte;
  return u;
}

int ReportRateHz(int rate_code) {
  switch (rate_code) {
    case 1: return 125;
    case 2: return 250;
    case 3: return 500;
    default: return 1000;
  }
}

std::optional<BatteryInfo> ParseBatteryReply(std::span<const uint8_t> r) {
  if (r.size() < 10 || !IsReplyTo(r, kReadBattery)) return std::nullopt;
  return BatteryInfo{r[8], r[9]};
}

std::optional<std::string> ParseVersionReply(std::span<const uint8_t> r) {
  if (r.size() < 26 || !IsReplyTo(r, kReadVersion)) return std::nullopt;
  std::string text;
  for (size_t i = 23; i <= 25; ++i) {
    if (i > 23) text += '.';
    text += (r[i] >= '0' && r[i] <= '9') ? static_cast<char>(r[i]) : '0';
  }
  return text;
}

}  // namespace zq::codec
