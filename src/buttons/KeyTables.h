#pragma once
// Conversions between Windows virtual-key codes (what the key capture and the
// recorder deliver), HID keyboard usages (what the mouse sends to the
// computer) and the key names shown to the user.

#include <string>

namespace zq {

// Modifier bits of a key combination: the left-hand bits of the HID modifier
// byte. Right-hand modifiers can only be the key of a combination.
enum ModifierBits : int {
  kModCtrl = 1,
  kModShift = 2,
  kModAlt = 4,
  kModWin = 8,
};

// HID keyboard usage of a virtual-key code; 0 for codes without one.
int VirtualKeyToUsage(int virtual_key);

// Usages 224..231 (the modifier keys) give their modifier bit 1..128; every
// other value is returned unchanged.
int ModifierUsageToBit(int usage);

// The name shown for a usage; "" for usages without a name.
std::string UsageToKeyName(int usage);

// "Shift+ Ctrl+ Win+ Alt + key": modifier words in that order joined by "+ ",
// then " + " and the key name; either part alone when the other is empty.
std::string KeyCombinationText(int modifier_bits, const std::string& key_name);

}  // namespace zq
