#include "buttons/FunctionCatalogue.h"

#include "buttons/KeyTables.h"
#include "platform/Text.h"

namespace zq {
namespace {

constexpr int T(FunctionType t) { return static_cast<int>(t); }

const PositionInfo kPositions[kPositionCount] = {
    {1, 0, true, T(FunctionType::LeftClick), {0x00, 0x01, 0x00, 0x00}},
    {2, 1, true, T(FunctionType::RightClick), {0x00, 0x02, 0x00, 0x00}},
    {3, 2, true, T(FunctionType::MiddleClick), {0x00, 0x04, 0x00, 0x00}},
    // The mouse keeps the forward button after the backward button.
    {4, 4, true, T(FunctionType::Forward), {0x00, 0x10, 0x00, 0x00}},
    {5, 3, true, T(FunctionType::Backward), {0x00, 0x08, 0x00, 0x00}},
    {6, 5, false, T(FunctionType::Special2155), {0x00, 0x00, 0x00, 0x00}},
    {7, 6, true, T(FunctionType::ScrollUp), {0x00, 0x38, 0x01, 0x00}},
    {8, 7, true, T(FunctionType::ScrollDown), {0x00, 0x38, 0xFF, 0x00}},
    {9, 8, false, 0, {0x00, 0x21, 0xAA, 0x00}},
};

struct FixedFunction {
  FunctionType type;
  FunctionCode code;
  int text;
};

const FixedFunction kFixed[] = {
    {FunctionType::LeftClick, {0x20, 0x01, 0x00, 0x00}, 121},
    {FunctionType::MiddleClick, {0x20, 0x04, 0x00, 0x00}, 123},
    {FunctionType::RightClick, {0x20, 0x02, 0x00, 0x00}, 122},
    {FunctionType::DoubleClick, {0x20, 0x01, 0x02, 0x00}, 126},
    {FunctionType::Forward, {0x20, 0x10, 0x00, 0x00}, 124},
    {FunctionType::Backward, {0x20, 0x08, 0x00, 0x00}, 125},
    {FunctionType::ScrollUp, {0x21, 0x38, 0x01, 0x00}, 127},
    {FunctionType::ScrollDown, {0x21, 0x38, 0xFF, 0x00}, 128},
    {FunctionType::Special2155, {0x21, 0x55, 0x00, 0x00}, 90},
    {FunctionType::Special21AA, {0x21, 0xAA, 0x00, 0x00}, 91},
    {FunctionType::Special2161, {0x21, 0x61, 0x00, 0x00}, 156},
    {FunctionType::Special2162, {0x21, 0x62, 0x00, 0x00}, 0},  // has no text of its own
    {FunctionType::DpiPlus, {0xF0, 0x01, 0x01, 0x00}, 150},
    {FunctionType::DpiMinus, {0xF0, 0x01, 0x02, 0x00}, 151},
    {FunctionType::DpiLoop, {0xF0, 0x01, 0x03, 0x00}, 152},
    {FunctionType::SpecialF00201, {0xF0, 0x02, 0x01, 0x00}, 153},
    {FunctionType::SpecialF00202, {0xF0, 0x02, 0x02, 0x00}, 154},
    {FunctionType::SpecialF00203, {0xF0, 0x02, 0x03, 0x00}, 155},
};

const FixedFunction* FixedOf(int type) {
  for (const auto& f : kFixed)
    if (T(f.type) == type) return &f;
  return nullptr;
}

struct Multimedia {
  int usage;
  int text;
};
const Multimedia kMultimedia[8] = {
    {0x0183, 178}, {0x00CD, 179}, {0x00B7, 182}, {0x00B6, 180},
    {0x00B5, 181}, {0x00E9, 175}, {0x00EA, 176}, {0x00E2, 177},
};

struct ShortcutEntry {
  FunctionCode code;
  int text;
};
const ShortcutEntry kShortcuts[13] = {
    {{0x30, 0x6F, 0x00, 0x00}, 185},  // display brightness up
    {{0x30, 0x70, 0x00, 0x00}, 186},  // display brightness down
    {{0x30, 0x92, 0x01, 0x00}, 187},  // calculator
    {{0x10, 0x08, 0x08, 0x00}, 189},  // Win + E
    {{0x10, 0x08, 0x07, 0x00}, 188},  // Win + D
    {{0x30, 0x23, 0x02, 0x00}, 190},  // browser home
    {{0x30, 0x8A, 0x01, 0x00}, 191},  // e-mail
    {{0x10, 0x00, 0x3E, 0x00}, 192},  // F5
    {{0x10, 0x04, 0x2B, 0x00}, 193},  // Alt + Tab
    {{0x10, 0x08, 0x46, 0x00}, 194},  // Win + Print Screen
    {{0x10, 0x01, 0x06, 0x00}, 31},   // Ctrl + C
    {{0x10, 0x01, 0x19, 0x00}, 32},   // Ctrl + V
    {{0x10, 0x01, 0x1B, 0x00}, 36},   // Ctrl + X
};

uint8_t Low(int v) { return static_cast<uint8_t>(v & 0xFF); }

ButtonAssignment Fixed(int profile, int key_code, FunctionType type, int value, int text) {
  ButtonAssignment a;
  a.profile = profile;
  a.fn_layer = 0;
  a.key_code = key_code;
  a.macro_type = T(type);
  a.macro_value = value;
  a.macro_desc = FormatInt(text);
  return a;
}

std::optional<FunctionType> DecodeFixed(const FunctionCode& c) {
  switch (c[0]) {
    case 0x20:
      if (c[1] == 0x01 && c[2] == 0x02) return FunctionType::DoubleClick;
      switch (c[1]) {
        case 0x01: return FunctionType::LeftClick;
        case 0x02: return FunctionType::RightClick;
        case 0x04: return FunctionType::MiddleClick;
        case 0x08: return FunctionType::Backward;
        case 0x10: return FunctionType::Forward;
      }
      return std::nullopt;
    case 0x21:
      if (c[1] == 0x38 && c[2] == 0x01) return FunctionType::ScrollUp;
      if (c[1] == 0x38 && c[2] == 0xFF) return FunctionType::ScrollDown;
      if (c[1] == 0x55) return FunctionType::Special2155;
      if (c[1] == 0xAA) return FunctionType::Special21AA;
      if (c[1] == 0x61) return FunctionType::Special2161;
      return std::nullopt;
    case 0xF0:
      if (c[1] == 0x01 && c[2] == 0x01) return FunctionType::DpiPlus;
      if (c[1] == 0x01 && c[2] == 0x02) return FunctionType::DpiMinus;
      if (c[1] == 0x01 && c[2] == 0x03) return FunctionType::DpiLoop;
      if (c[1] == 0x02 && c[2] == 0x01) return FunctionType::SpecialF00201;
      if (c[1] == 0x02 && c[2] == 0x02) return FunctionType::SpecialF00202;
      if (c[1] == 0x02 && c[2] == 0x03) return FunctionType::SpecialF00203;
      return std::nullopt;
  }
  return std::nullopt;
}

// The multimedia or shortcut value of a consumer-class code, 0 for none.
struct ConsumerValue {
  FunctionType type;
  int value;
};
std::optional<ConsumerValue> DecodeConsumer(const FunctionCode& c) {
  switch (c[1]) {
    case 0xB5: return ConsumerValue{FunctionType::Multimedia, 5};
    case 0xB6: return ConsumerValue{FunctionType::Multimedia, 4};
    case 0xB7: return ConsumerValue{FunctionType::Multimedia, 3};
    case 0xCD: return ConsumerValue{FunctionType::Multimedia, 2};
    case 0xE2: return ConsumerValue{FunctionType::Multimedia, 8};
    case 0xE9: return ConsumerValue{FunctionType::Multimedia, 6};
    case 0xEA: return ConsumerValue{FunctionType::Multimedia, 7};
    case 0x83:
      if (c[2] == 0x01) return ConsumerValue{FunctionType::Multimedia, 1};
      return std::nullopt;
    case 0x6F: return ConsumerValue{FunctionType::Shortcut, 1};
    case 0x70: return ConsumerValue{FunctionType::Shortcut, 2};
    case 0x92:
      if (c[2] == 0x01) return ConsumerValue{FunctionType::Shortcut, 3};
      return std::nullopt;
    case 0x23:
      if (c[2] == 0x02) return ConsumerValue{FunctionType::Shortcut, 6};
      return std::nullopt;
    case 0x8A:
      if (c[2] == 0x01) return ConsumerValue{FunctionType::Shortcut, 7};
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

const PositionInfo* PositionOf(int key_code) {
  if (key_code < 1 || key_code > kPositionCount) return nullptr;
  return &kPositions[key_code - 1];
}

int SlotOfPosition(int key_code) {
  const PositionInfo* p = PositionOf(key_code);
  return p ? p->slot : -1;
}

int PositionOfSlot(int slot) {
  for (const auto& p : kPositions)
    if (p.slot == slot) return p.key_code;
  return 0;
}

const std::array<FunctionCode, kWrittenSlots>& DefaultFunctionCodes() {
  static const std::array<FunctionCode, kWrittenSlots> kDefaults = {{
      {0x20, 0x01, 0x00, 0x00},
      {0x20, 0x02, 0x00, 0x00},
      {0x20, 0x04, 0x00, 0x00},
      {0x20, 0x08, 0x00, 0x00},
      {0x20, 0x10, 0x00, 0x00},
      {0x21, 0x55, 0x00, 0x00},
      {0x21, 0x38, 0x01, 0x00},
      {0x21, 0x38, 0xFF, 0x00},
  }};
  return kDefaults;
}

int FunctionTextNumber(int type) {
  if (type == T(FunctionType::Disabled)) return 162;
  const FixedFunction* f = FixedOf(type);
  return f ? f->text : 0;
}

int MultimediaUsage(int value) {
  return value >= 1 && value <= 8 ? kMultimedia[value - 1].usage : 0;
}

int MultimediaTextNumber(int value) {
  return value >= 1 && value <= 8 ? kMultimedia[value - 1].text : 0;
}

FunctionCode ShortcutCode(int value) {
  return value >= 1 && value <= 13 ? kShortcuts[value - 1].code : FunctionCode{};
}

int ShortcutTextNumber(int value) {
  return value >= 1 && value <= 13 ? kShortcuts[value - 1].text : 0;
}

FunctionCode EncodeFunction(const ButtonAssignment& a, const std::vector<Macro>& macros,
                            const MacroPlacement* placement) {
  FunctionCode code{};
  const int type = a.macro_type;
  if (const FixedFunction* f = FixedOf(type)) return f->code;
  switch (static_cast<FunctionType>(type)) {
    case FunctionType::KeyCombination: {
      code[0] = 0x10;
      if (a.macro_value2 == 0 && a.macro_value >= 224 && a.macro_value <= 231) {
        // A modifier key alone goes out as a modifier bit, not as a key.
        code[1] = Low(ModifierUsageToBit(a.macro_value));
      } else {
        code[1] = Low(a.macro_value2);
        code[2] = Low(ModifierUsageToBit(a.macro_value));
      }
      return code;
    }
    case FunctionType::MacroFunction: {
      code[0] = 0x70;
      for (size_t i = 0; i < macros.size(); ++i) {
        if (macros[i].macro_id != a.macro_value) continue;
        const bool held = placement ? placement->Holds(i) : i < static_cast<size_t>(kMaxMacros);
        if (!held) return FunctionCode{};
        const Macro& m = macros[i];
        code[1] = Low(static_cast<int>(i));
        code[2] = 0x01;
        if (m.play_type == static_cast<int>(PlayType::LoopFirst)) {
          code[3] = 0x02;
        } else if (m.play_type == static_cast<int>(PlayType::LoopSecond)) {
          code[3] = 0x03;
        } else if (m.play_type == static_cast<int>(PlayType::PlayCount) && m.play_times > 1) {
          code[2] = Low(m.play_times);
        }
        return code;
      }
      return code;  // the macro is gone: 70 00 00 00
    }
    case FunctionType::Disabled: {
      const PositionInfo* p = PositionOf(a.key_code);
      return p ? p->disabled : FunctionCode{};
    }
    case FunctionType::Multimedia: {
      const int usage = MultimediaUsage(a.macro_value);
      if (usage == 0) return code;
      code[0] = 0x30;
      code[1] = Low(usage);
      code[2] = Low(usage >> 8);
      return code;
    }
    case FunctionType::Shortcut:
      return ShortcutCode(a.macro_value);
    case FunctionType::EmojiFunction:
      code[0] = 0x50;
      code[1] = Low(a.macro_value);
      return code;
    default:
      return code;
  }
}

std::optional<ButtonAssignment> DecodeFunction(int profile, int slot, const FunctionCode& c,
                                               const std::vector<Macro>& macros) {
  const int key_code = PositionOfSlot(slot);
  if (key_code == 0) return std::nullopt;
  if (c[0] == 0xFF && c[1] == 0xFF) return std::nullopt;  // nothing programmed
  if (c == FunctionCode{}) return std::nullopt;
  switch (c[0]) {
    case 0x00:
      return Fixed(profile, key_code, FunctionType::Disabled, 1, 162);
    case 0x10: {
      struct Pair {
        uint8_t b1, b2;
        int value;
      };
      static const Pair kShortcutPairs[] = {
          {0x08, 0x08, 4}, {0x08, 0x07, 5},  {0x08, 0x46, 10}, {0x00, 0x3E, 8},
          {0x04, 0x2B, 9}, {0x01, 0x06, 11}, {0x01, 0x19, 12}, {0x01, 0x1B, 13},
      };
      for (const Pair& p : kShortcutPairs)
        if (c[1] == p.b1 && c[2] == p.b2)
          return Fixed(profile, key_code, FunctionType::Shortcut, p.value,
                       ShortcutTextNumber(p.value));
      ButtonAssignment a;
      a.profile = profile;
      a.key_code = key_code;
      a.macro_type = T(FunctionType::KeyCombination);
      a.macro_value = c[2];
      a.macro_value2 = c[1];
      a.macro_desc = KeyCombinationText(c[1], UsageToKeyName(c[2]));
      return a;
    }
    case 0x20:
    case 0x21:
    case 0xF0: {
      const auto type = DecodeFixed(c);
      if (!type) return std::nullopt;
      return Fixed(profile, key_code, *type, 1, FunctionTextNumber(T(*type)));
    }
    case 0x30: {
      const auto v = DecodeConsumer(c);
      if (!v) return std::nullopt;
      const int text = v->type == FunctionType::Multimedia ? MultimediaTextNumber(v->value)
                                                            : ShortcutTextNumber(v->value);
      return Fixed(profile, key_code, v->type, v->value, text);
    }
    case 0x70: {
      if (c[1] >= macros.size()) return std::nullopt;
      const Macro& m = macros[c[1]];
      ButtonAssignment a;
      a.profile = profile;
      a.key_code = key_code;
      a.macro_type = T(FunctionType::MacroFunction);
      a.macro_value = m.macro_id;
      a.macro_desc = m.name;
      return a;
    }
    case 0x50: {
      ButtonAssignment a;
      a.profile = profile;
      a.key_code = key_code;
      a.macro_type = T(FunctionType::EmojiFunction);
      a.macro_value = c[1];
      a.macro_desc = "\u8868\u60C5\u7B26\u53F7";  // 表情符号
      return a;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace zq
