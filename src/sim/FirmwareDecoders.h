#pragma once
// What the mouse's firmware makes of the bytes it keeps: a settings block
// becomes DPI levels, colours, a report rate and options; a four-byte key
// code becomes the function the button performs; the macro memory becomes
// macros of timed steps. Written from the firmware's side (bytes to meaning)
// and independently of the host's encoders, so that a test comparing what
// the host meant with what the mouse understood catches a fault in either.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/SimulatedMouse.h"

namespace zq::sim {

// --- settings block ------------------------------------------------------------

struct DecodedDpiLevel {
  int dpi = 0;  // 0 when the level holds no usable value
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const DecodedDpiLevel&) const = default;
};

struct DecodedSettings {
  bool blank = false;  // all 0xFF: nothing was ever written for the profile
  int profile_index = 0;
  int lighting_mode = 0;
  int report_rate_code = 0;
  int report_rate_hz = 0;  // 0 for a code the firmware does not know
  int level_count = 0;
  int active_level = 0;  // 1-based
  std::array<DecodedDpiLevel, 6> levels{};
  int scroll_direction = 0;
  int liftoff = 0;
  uint8_t sensor_bits = 0;
  // The three sensor options, in the order the host's check boxes show them
  // (device bits 0x10, 0x01, 0x20).
  std::array<bool, 3> sensor_options{};
  int debounce_ms = 0;
  int sleep_time = 0;
  int game_mode = 0;
};

DecodedSettings DecodeSettingsBlock(const SimulatedMouse::Block& block);

// --- key codes -----------------------------------------------------------------

enum class ButtonAction {
  Nothing,      // 00 00 00 00 or unprogrammed (FF FF ..)
  Disabled,     // class 00 with the position's bytes
  MouseButton,  // class 20: `buttons` bits
  DoubleClick,  // 20 01 02
  Wheel,        // 21 38 +1/-1
  Special,      // other class 21 functions: `special` = byte 1
  Key,          // class 10: `modifiers`, `usage` (keyboard page)
  Consumer,     // class 30: `usage` (consumer page)
  Emoji,        // class 50: `emoji`
  Macro,        // class 70: `macro_index`, `play_count`, `macro_mode`
  DpiUp,        // F0 01 01
  DpiDown,      // F0 01 02
  DpiCycle,     // F0 01 03
  RateUp,       // F0 02 01
  RateDown,     // F0 02 02
  RateCycle,    // F0 02 03
  Unknown,
};

// Byte 3 of a macro code: how the macro repeats.
enum class MacroMode { PlayCount = 0, LoopFirst = 2, LoopSecond = 3, Unknown = -1 };

struct DecodedFunction {
  ButtonAction action = ButtonAction::Nothing;
  int buttons = 0;
  int wheel = 0;
  int special = 0;
  int modifiers = 0;
  int usage = 0;
  int emoji = 0;
  int macro_index = 0;
  int play_count = 0;
  MacroMode macro_mode = MacroMode::PlayCount;
  std::array<uint8_t, 4> code{};
};

DecodedFunction DecodeKeyCode(const std::array<uint8_t, 4>& code);
// The function in `slot` (0..8) of a profile's key codes.
DecodedFunction DecodeSlot(const SimulatedMouse::KeyCodes& codes, int slot);

// --- macro memory -------------------------------------------------------------------

enum class MacroStepKind {
  Empty,       // kind 0: waits only
  ModifierDown,
  ModifierUp,
  KeyDown,
  KeyUp,
  ButtonDown,  // `value` = button bits
  ButtonUp,
  Wheel,       // `value` = +1 / -1
  Move,        // `dx`, `dy` (left and up negative)
  Unknown,
};

struct MacroStep {
  MacroStepKind kind = MacroStepKind::Empty;
  int value = 0;  // usage, button bits or wheel notches
  int dx = 0, dy = 0;
  int delay_ms = 0;  // the wait after this step
  std::array<uint8_t, 4> raw{};
};

struct DecodedMacro {
  int index = 0;   // table entry
  int offset = 0;  // image offset of its first event
  std::vector<MacroStep> steps;
  // The last step carried the end mark inside the memory. False for a macro
  // that runs off the end of the memory or starts outside it.
  bool complete = false;
};

inline constexpr int kMacroTableEntries = 32;
inline constexpr int kMacroTableBytes = 64;

// The macro of table entry `index`; nothing when the entry is empty (0).
std::optional<DecodedMacro> DecodeMacroAt(const std::vector<uint8_t>& image, int index);
// Every macro the table names, in entry order.
std::vector<DecodedMacro> DecodeMacroMemory(const std::vector<uint8_t>& image);

}  // namespace zq::sim
