#include "sim/FirmwareDecoders.h"

#include <algorithm>

namespace zq::sim {
namespace {

int Rate(int code) {
  switch (code) {
    case 1: return 125;
    case 2: return 250;
    case 3: return 500;
    case 4: return 1000;
    default: return 0;
  }
}

constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 26000;
constexpr uint8_t kEndMark = 0x80;
constexpr uint8_t kMoveKind = 0x46;

}  // namespace

DecodedSettings DecodeSettingsBlock(const SimulatedMouse::Block& b) {
  DecodedSettings s;
  s.blank = std::all_of(b.begin(), b.end(), [](uint8_t v) { return v == 0xFF; });
  if (s.blank) return s;
  s.profile_index = b[0];
  s.lighting_mode = b[1];
  s.report_rate_code = b[2];
  s.report_rate_hz = Rate(b[2]);
  s.level_count = b[3];
  s.active_level = b[4];
  for (int i = 0; i < 6; ++i) {
    const int dpi = b[5 + 2 * i] | (b[6 + 2 * i] << 8);
    s.levels[i].dpi = dpi >= kMinDpi && dpi <= kMaxDpi ? dpi : 0;
    s.levels[i].red = b[17 + 3 * i];
    s.levels[i].green = b[18 + 3 * i];
    s.levels[i].blue = b[19 + 3 * i];
  }
  // 35..39 are reserved.
  s.scroll_direction = b[40];
  s.liftoff = b[41];
  s.sensor_bits = b[42];
  s.sensor_options = {(b[42] & 0x10) != 0, (b[42] & 0x01) != 0, (b[42] & 0x20) != 0};
  s.debounce_ms = b[43];
  s.sleep_time = b[44];
  s.game_mode = b[45];
  return s;
}

DecodedFunction DecodeKeyCode(const std::array<uint8_t, 4>& c) {
  DecodedFunction f;
  f.code = c;
  if (c == std::array<uint8_t, 4>{} || (c[0] == 0xFF && c[1] == 0xFF)) return f;
  f.action = ButtonAction::Unknown;
  switch (c[0]) {
    case 0x00:
      f.action = ButtonAction::Disabled;
      break;
    case 0x10:
      f.action = ButtonAction::Key;
      f.modifiers = c[1];
      f.usage = c[2];
      break;
    case 0x20:
      f.buttons = c[1];
      f.action = c[2] == 0x02 ? ButtonAction::DoubleClick : ButtonAction::MouseButton;
      break;
    case 0x21:
      if (c[1] == 0x38 && (c[2] == 0x01 || c[2] == 0xFF)) {
        f.action = ButtonAction::Wheel;
        f.wheel = c[2] == 0x01 ? 1 : -1;
      } else {
        f.action = ButtonAction::Special;
        f.special = c[1];
      }
      break;
    case 0x30:
      f.action = ButtonAction::Consumer;
      f.usage = c[1] | (c[2] << 8);
      break;
    case 0x50:
      f.action = ButtonAction::Emoji;
      f.emoji = c[1];
      break;
    case 0x70:
      f.action = ButtonAction::Macro;
      f.macro_index = c[1];
      f.play_count = c[2];
      switch (c[3]) {
        case 0: f.macro_mode = MacroMode::PlayCount; break;
        case 2: f.macro_mode = MacroMode::LoopFirst; break;
        case 3: f.macro_mode = MacroMode::LoopSecond; break;
        default: f.macro_mode = MacroMode::Unknown; break;
      }
      break;
    case 0xF0: {
      static const ButtonAction kDpi[] = {ButtonAction::DpiUp, ButtonAction::DpiDown,
                                          ButtonAction::DpiCycle};
      static const ButtonAction kRate[] = {ButtonAction::RateUp, ButtonAction::RateDown,
                                           ButtonAction::RateCycle};
      if (c[2] >= 1 && c[2] <= 3) {
        if (c[1] == 0x01) f.action = kDpi[c[2] - 1];
        if (c[1] == 0x02) f.action = kRate[c[2] - 1];
      }
      break;
    }
    default:
      break;
  }
  return f;
}

DecodedFunction DecodeSlot(const SimulatedMouse::KeyCodes& codes, int slot) {
  if (slot < 0 || slot >= SimulatedMouse::kKeySlots) return {};
  std::array<uint8_t, 4> code{};
  std::copy_n(codes.begin() + 4 * slot, 4, code.begin());
  return DecodeKeyCode(code);
}

namespace {

MacroStep DecodeEvent(const uint8_t* e) {
  MacroStep s;
  std::copy_n(e, 4, s.raw.begin());
  const uint8_t kind = e[2] & 0x7F;
  s.delay_ms = e[0] | (e[1] << 8);
  switch (kind) {
    case 0x00: s.kind = MacroStepKind::Empty; break;
    case 0x41: s.kind = MacroStepKind::ModifierDown; s.value = e[3]; break;
    case 0x01: s.kind = MacroStepKind::ModifierUp; s.value = e[3]; break;
    case 0x42: s.kind = MacroStepKind::KeyDown; s.value = e[3]; break;
    case 0x02: s.kind = MacroStepKind::KeyUp; s.value = e[3]; break;
    case 0x43: s.kind = MacroStepKind::ButtonDown; s.value = e[3]; break;
    case 0x03: s.kind = MacroStepKind::ButtonUp; s.value = e[3]; break;
    case 0x44:
      s.kind = MacroStepKind::Wheel;
      s.value = e[3] == 0xFF ? -1 : (e[3] == 0x01 ? 1 : static_cast<int8_t>(e[3]));
      break;
    case kMoveKind:
      // The top two bits of a move's delay are its directions.
      s.kind = MacroStepKind::Move;
      s.delay_ms = e[0] | ((e[1] & 0x3F) << 8);
      s.dx = (e[3] >> 4) * ((e[1] & 0x40) ? -1 : 1);
      s.dy = (e[3] & 0x0F) * ((e[1] & 0x80) ? -1 : 1);
      break;
    default: s.kind = MacroStepKind::Unknown; s.value = e[3]; break;
  }
  return s;
}

}  // namespace

std::optional<DecodedMacro> DecodeMacroAt(const std::vector<uint8_t>& image, int index) {
  if (index < 0 || index >= kMacroTableEntries || image.size() < kMacroTableBytes) {
    return std::nullopt;
  }
  const int offset = image[2 * index] | (image[2 * index + 1] << 8);
  if (offset == 0) return std::nullopt;
  DecodedMacro m;
  m.index = index;
  m.offset = offset;
  if (offset < kMacroTableBytes) return m;  // points into the table: nothing playable
  for (size_t at = static_cast<size_t>(offset); at + 4 <= image.size(); at += 4) {
    m.steps.push_back(DecodeEvent(&image[at]));
    if (image[at + 2] & kEndMark) {
      m.complete = true;
      break;
    }
  }
  return m;
}

std::vector<DecodedMacro> DecodeMacroMemory(const std::vector<uint8_t>& image) {
  std::vector<DecodedMacro> out;
  for (int i = 0; i < kMacroTableEntries; ++i) {
    if (auto m = DecodeMacroAt(image, i)) out.push_back(std::move(*m));
  }
  return out;
}

}  // namespace zq::sim
