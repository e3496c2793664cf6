#include "sim/FirmwareButtons.h"

#include <algorithm>

#include "sim/FirmwareDecoders.h"

namespace zq::sim {
namespace {

constexpr uint8_t kEventDpi = 0x10;
constexpr uint8_t kEventLighting = 0x11;
constexpr uint8_t kEventEmoji = 0x50;

// Steps through 1..count: up and down stop at the ends, a cycle wraps.
int Step(int current, int count, int direction, bool wrap) {
  current = std::clamp(current, 1, count);
  const int next = current + direction;
  if (wrap) return next > count ? 1 : next;
  return std::clamp(next, 1, count);
}

void ActOn(SimulatedMouse& mouse, int profile, const DecodedFunction& f) {
  int direction = 0;
  bool wrap = false;
  bool dpi = false;
  switch (f.action) {
    case ButtonAction::Emoji:
      mouse.PushEmoji(kEventEmoji, f.emoji);
      return;
    case ButtonAction::DpiUp: dpi = true; direction = 1; break;
    case ButtonAction::DpiDown: dpi = true; direction = -1; break;
    case ButtonAction::DpiCycle: dpi = true; direction = 1; wrap = true; break;
    case ButtonAction::RateUp: direction = 1; break;
    case ButtonAction::RateDown: direction = -1; break;
    case ButtonAction::RateCycle: direction = 1; wrap = true; break;
    default:
      return;
  }
  int level = 0;
  int rate = 0;
  mouse.EditFirmware([&](SimulatedMouse::FirmwareState& s) {
    SimulatedMouse::Block& block = s.blocks[profile];
    const DecodedSettings settings = DecodeSettingsBlock(block);
    if (dpi) {
      const int count = settings.blank || settings.level_count < 1 || settings.level_count > 6
                            ? 6
                            : settings.level_count;
      s.dpi_level = Step(s.dpi_level, count, direction, wrap);
      if (!settings.blank) {
        block[4] = static_cast<uint8_t>(s.dpi_level);
        const int value = settings.levels[s.dpi_level - 1].dpi;
        if (value) s.dpi_value = value;
      }
    } else {
      s.report_rate = Step(s.report_rate, 4, direction, wrap);
      if (!settings.blank) block[2] = static_cast<uint8_t>(s.report_rate);
    }
    level = s.dpi_level;
    rate = s.report_rate;
  });
  mouse.PushNotification(kEventDpi, static_cast<uint8_t>(level), static_cast<uint8_t>(rate));
}

}  // namespace

void InstallFirmwareButtons(SimulatedMouse& mouse) {
  mouse.SetButtonHandler(
      [](SimulatedMouse& m, int /*slot*/, int profile, std::array<uint8_t, 4> code) {
        if (profile < 0 || profile >= SimulatedMouse::kProfiles) return;
        ActOn(m, profile, DecodeKeyCode(code));
      });
}

bool ChangeLightingOnMouse(SimulatedMouse& mouse, int profile, int mode) {
  if (profile < 0 || profile >= SimulatedMouse::kProfiles) return false;
  mouse.EditFirmware([&](SimulatedMouse::FirmwareState& s) {
    s.lighting = mode;
    SimulatedMouse::Block& block = s.blocks[profile];
    if (!DecodeSettingsBlock(block).blank) block[1] = static_cast<uint8_t>(mode);
  });
  return mouse.PushNotification(kEventLighting, static_cast<uint8_t>(mode), 0);
}

}  // namespace zq::sim
