#include "buttons/KeyTables.h"

#include <array>

namespace zq {

int VirtualKeyToUsage(int vk) {
  if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 4;
  if (vk >= '1' && vk <= '9') return vk - '1' + 30;
  if (vk >= 112 && vk <= 123) return vk - 112 + 58;   // F1..F12
  if (vk >= 124 && vk <= 135) return vk - 124 + 104;  // F13..F24
  if (vk >= 97 && vk <= 105) return vk - 97 + 89;     // numpad 1..9
  if (vk >= 136 && vk <= 139) return vk;
  switch (vk) {
    case '0': return 39;
    case 13: return 40;   // Return
    case 27: return 41;   // Escape
    case 8: return 42;    // Back
    case 9: return 43;    // Tab
    case 32: return 44;   // Space
    case 189: return 45;  // minus
    case 187: return 46;  // plus
    case 219: return 47;  // [
    case 221: return 48;  // ]
    case 220: return 49;  // backslash
    case 186: return 51;  // ;
    case 222: return 52;  // quote
    case 192: return 53;  // grave
    case 188: return 54;  // comma
    case 190: return 55;  // period
    case 191: return 56;  // slash
    case 20: return 57;   // Caps Lock
    case 44: return 70;   // Snapshot
    case 145: return 71;  // Scroll
    case 19: return 72;   // Pause
    case 45: return 73;   // Insert
    case 36: return 74;   // Home
    case 33: return 75;   // Prior
    case 46: return 76;   // Delete
    case 35: return 77;   // End
    case 34: return 78;   // Next
    case 39: return 79;   // Right
    case 37: return 80;   // Left
    case 40: return 81;   // Down
    case 38: return 82;   // Up
    case 144: return 83;  // Num Lock
    case 111: return 84;  // Divide
    case 106: return 85;  // Multiply
    case 109: return 86;  // Subtract
    case 107: return 87;  // Add
    case 108: return 88;  // Separator
    case 96: return 98;   // numpad 0
    case 110: return 99;  // Decimal
    case 226: return 100; // OEM 102
    case 93: return 101;  // Apps
    case 254: return 175; // the key named "Fn"
    case 162: return 224; // left Control
    case 160: return 225; // left Shift
    case 164: return 226; // left Menu
    case 91: return 227;  // left Win
    case 163: return 228; // right Control
    case 161: return 229; // right Shift
    case 165: return 230; // right Menu
    case 92: return 231;  // right Win
    default: return 0;
  }
}

int ModifierUsageToBit(int usage) {
  if (usage >= 224 && usage <= 231) return 1 << (usage - 224);
  return usage;
}

std::string UsageToKeyName(int usage) {
  if (usage >= 4 && usage <= 29) return std::string(1, static_cast<char>('A' + usage - 4));
  if (usage >= 30 && usage <= 38) return std::string(1, static_cast<char>('1' + usage - 30));
  // Appending rather than "F" + text: GCC 12 at -O3 warns falsely on the latter.
  if (usage >= 58 && usage <= 69) return std::string("F").append(std::to_string(usage - 57));
  if (usage >= 89 && usage <= 97) return std::string("Num ").append(std::to_string(usage - 88));
  static const std::array<const char*, 17> kFrom39 = {
      "0", "Enter", "Esc", "Backspace", "Tab", "Space", "-", "=", "[", "]", "\\", "",
      ";", "'", "`", ",", "."};  // usages 39..55
  if (usage >= 39 && usage <= 55) return kFrom39[usage - 39];
  static const std::array<const char*, 17> kFrom56 = {
      "/", "Caps Lock", "", "", "", "", "", "", "", "", "", "", "", "",
      "Print Screen", "Scrlk", "Pause"};  // usages 56..72 (58..69 handled above)
  if (usage >= 56 && usage <= 72) return kFrom56[usage - 56];
  static const std::array<const char*, 16> kFrom73 = {
      "Insert", "Home", "Page Up", "Delete", "End", "Page Down", "Right", "Left", "Down", "Up",
      "Num", "//", "Num *", "Num -", "Num +", "Enter"};  // usages 73..88
  if (usage >= 73 && usage <= 88) return kFrom73[usage - 73];
  switch (usage) {
    case 98: return "Num 0";
    case 99: return "Num Del";
    case 101: return "Menu";
    case 175: return "Fn";
    case 224: case 228: return "Ctrl";
    case 225: case 229: return "Shift";
    case 226: case 230: return "Alt";
    case 227: return "Windows";
    default: return {};
  }
}

std::string KeyCombinationText(int bits, const std::string& key_name) {
  std::string m;
  auto add = [&m](const char* word) {
    if (m.empty()) {
      m = word;
    } else {
      m += "+ ";
      m += word;
    }
  };
  if (bits & kModShift) add("Shift");
  if (bits & kModCtrl) add("Ctrl");
  if (bits & kModWin) add("Win");
  if (bits & kModAlt) add("Alt");
  if (m.empty()) return key_name;
  if (key_name.empty()) return m;
  return m + " + " + key_name;
}

}  // namespace zq
