#pragma once
// Reports the mouse sends on its own (DPI level or report rate changed on the
// mouse, lighting mode, emoji, battery, a request for the active DPI level),
// and the replies of the battery and firmware version reads.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zq::codec {

inline constexpr size_t kNotificationSize = 21;  // bytes read per poll
inline constexpr uint8_t kNotificationMarker = 0xFA;

enum class NotificationKind {
  None,             // not a notification (no marker, 0x38 0x38, too short)
  DpiLevelRequest,  // byte 9 or 10 is 0xFF: send the active DPI level again
  DpiOrReportRate,  // event 0x10
  LightingMode,     // event 0x11
  Emoji,            // events 0x50 and 0x60
  Battery,          // event 0xD0
  Other,            // a notification with an event code nobody handles
};

struct Notification {
  NotificationKind kind = NotificationKind::None;
  uint8_t event = 0;
  uint8_t value1 = 0;  // byte 9
  uint8_t value2 = 0;  // byte 10
  int light_mode = 0;     // LightingMode: byte 9 limited to 6
  int emoji = 0;          // Emoji: byte 9
  int battery_level = 0;  // Battery: byte 9 limited to 100
  int battery_state = 0;  // Battery: byte 10
};

// `report` as read (no report id).
Notification ParseNotification(std::span<const uint8_t> report);

// Event 0x10 against what the last one said. The level byte changes the
// active level only when it differs from the last level remembered (0 at
// start), and the remembered level is limited to 1..6; the report rate is
// taken every time.
class DpiNotificationTracker {
 public:
  struct Update {
    bool level_changed = false;
    int level = 0;      // 1..6, when level_changed
    int dpi_index = 0;  // level - 1, to store as dpi_index
    int report_rate = 0;  // to store as report_rate
  };
  Update Apply(uint8_t level_byte, uint8_t rate_byte);
  int last_level() const { return last_level_; }
  int last_report_rate() const { return last_report_rate_; }

 private:
  int last_level_ = 0;
  int last_report_rate_ = 0;
};

// The report-rate button a rate code checks: 125, 250, 500, else 1000 Hz.
int ReportRateHz(int rate_code);

struct BatteryInfo {
  int level = 0;
  int state = 0;
};
// Reply to 0x30 (acknowledged, echo 0x30): bytes 8 and 9, unchanged.
std::optional<BatteryInfo> ParseBatteryReply(std::span<const uint8_t> reply);

// Reply to 0x03 (acknowledged, echo 0x03): bytes 23..25 joined with ".",
// each ASCII digit as it is and any other byte as "0".
std::optional<std::string> ParseVersionReply(std::span<const uint8_t> reply);

}  // namespace zq::codec
