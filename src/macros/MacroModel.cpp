#include "macros/MacroModel.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "platform/Text.h"

namespace zq {

RecordItem ToRecordItem(const MacroRecord& record) {
  return RecordItem{record.desc, record.type, record.value, record.delay_time};
}

std::vector<MacroRecord> ToMacroRecords(int macro_id, const std::vector<RecordItem>& items) {
  std::vector<MacroRecord> records;
  records.reserve(items.size());
  int index = 0;
  for (const RecordItem& item : items) {
    MacroRecord r;
    r.macro_id = macro_id;
    r.type = item.type;
    r.record_index = index++;
    r.desc = item.text;
    r.value = item.value;
    r.delay_time = item.timestamp;
    records.push_back(std::move(r));
  }
  return records;
}

namespace {

// Texts are built by appending: GCC 12 at -O3 warns falsely on
// "literal" + std::string.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s.append(p);
  return s;
}

}  // namespace

std::string DelayItemText(int ms) { return Join({" -   ", FormatInt(ms), " ms"}); }

std::string DownItemText(const std::string& name) { return Join({kDownPrefix, name}); }

std::string UpItemText(const std::string& name) { return Join({kUpPrefix, name}); }

std::string ItemNameOf(const std::string& text) {
  // The prefix is three characters: the arrow and two blanks.
  const size_t count = CodePointCount(text);
  return count <= 3 ? std::string() : Utf8Suffix(text, count - 3);
}

std::string MouseButtonName(int bit) {
  switch (bit) {
    case kButtonLeft: return "LB";
    case kButtonRight: return "RB";
    case kButtonMiddle: return "MB";
    case kButtonBackward: return "Backward";
    case kButtonForward: return "Forward";
    default: return {};
  }
}

std::string SingleMoveText(RecordType type, int distance) {
  switch (type) {
    case RecordType::MoveUp: return Join({kUpPrefix, FormatInt(distance)});
    case RecordType::MoveDown: return Join({kDownPrefix, FormatInt(distance)});
    case RecordType::MoveLeft: return Join({kLeftPrefix, FormatInt(distance)});
    case RecordType::MoveRight: return Join({kRightPrefix, FormatInt(distance)});
    default: return {};
  }
}

std::string NewMoveText(int x, int y) {
  return Join({kRightPrefix, FormatInt(x), ", ", kDownPrefix, FormatInt(y)});
}

std::string EditedMoveText(int x, bool left, int y, bool up) {
  // No blank after the comma: the edited form differs from the inserted one.
  return Join({left ? kLeftPrefix : kRightPrefix, FormatInt(x), ",", up ? kUpPrefix : kDownPrefix,
               FormatInt(y)});
}

int ClampMoveDistance(int distance) {
  return std::clamp(distance, kMinMoveDistance, kMaxMoveDistance);
}

int EncodeMoveXY(const MoveXY& move) {
  return ClampMoveDistance(move.x) | (move.left ? 0x80 : 0) | (ClampMoveDistance(move.y) << 8) |
         (move.up ? 0x8000 : 0);
}

MoveXY DecodeMoveXY(int value) {
  MoveXY m;
  m.x = value & 0x7F;
  m.left = (value & 0x80) != 0;
  m.y = (value >> 8) & 0x7F;
  m.up = (value & 0x8000) != 0;
  return m;
}

int ClampFixedDelay(int ms) { return std::clamp(ms, kMinFixedDelayMs, kMaxFixedDelayMs); }

int ClampItemDelay(int ms) { return std::clamp(ms, kMinItemDelayMs, kMaxItemDelayMs); }

int ClampPlayCount(int count) { return std::clamp(count, kMinPlayCount, kMaxPlayCount); }

}  // namespace zq
