#include "device/codec/MacroImage.h"

#include <algorithm>

#include "buttons/KeyTables.h"

namespace zq::codec {
namespace {

using Event = std::array<uint8_t, kMacroEventSize>;

constexpr uint8_t kKindMove = 0x46;

uint8_t Low(int v) { return static_cast<uint8_t>(v & 0xFF); }

bool IsModifierValue(int value) { return value >= 224 && value <= 231; }

bool Contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

// ORs a delay into an event, cut to what the event's delay field can hold.
void OrDelay(Event& e, long long ms) {
  const long long max = (e[2] & 0x7F) == kKindMove ? 0x3FFF : 0xFFFF;
  const long long d = std::clamp(ms, 0LL, max);
  e[0] |= Low(static_cast<int>(d));
  e[1] |= Low(static_cast<int>(d >> 8));
}

std::vector<Event> EncodeMacro(const std::vector<MacroRecord>& items) {
  std::vector<Event> events;
  if (items.empty()) {
    events.push_back({0x00, 0x00, kLastEventFlag, 0x00});
    return events;
  }
  long long gap = 0;          // delay items since the last event
  long long total_delay = 0;  // all delay items, for a macro of delays only
  for (size_t i = 0; i < items.size(); ++i) {
    const MacroRecord& item = items[i];
    const bool last = i + 1 == items.size();
    if (item.type == static_cast<int>(RecordType::Delay)) {
      gap += item.value;
      total_delay += item.value;
      if (last && !events.empty()) {
        OrDelay(events.back(), gap);
        events.back()[2] |= kLastEventFlag;
      }
      continue;
    }
    if (!events.empty()) OrDelay(events.back(), gap <= 0 ? kDefaultEventGapMs : gap);
    const EventCode code = EncodeMacroEvent(item);
    Event e = {0x00, code.direction_bits, code.kind, code.parameter};
    if (last) e[2] |= kLastEventFlag;
    events.push_back(e);
    gap = 0;
  }
  if (events.empty()) {
    // Delays only: the empty-macro event, waiting as long as the macro asks.
    Event e = {0x00, 0x00, kLastEventFlag, 0x00};
    OrDelay(e, total_delay);
    events.push_back(e);
  }
  return events;
}

}  // namespace

EventCode EncodeMacroEvent(const MacroRecord& item) {
  EventCode c;
  const int v = item.value;
  switch (static_cast<RecordType>(item.type)) {
    case RecordType::KeyDown:
      c.kind = IsModifierValue(v) ? 0x41 : 0x42;
      c.parameter = Low(VirtualKeyToUsage(v));
      break;
    case RecordType::KeyUp:
      c.kind = IsModifierValue(v) ? 0x01 : 0x02;
      c.parameter = Low(VirtualKeyToUsage(v));
      break;
    case RecordType::MouseDown:
    case RecordType::MouseUp:
      // The editor's wheel steps are button pairs known by their text.
      if (Contains(item.desc, kScrollUpName)) {
        c.kind = 0x44;
        c.parameter = 0x01;
      } else if (Contains(item.desc, kScrollDownName)) {
        c.kind = 0x44;
        c.parameter = 0xFF;
      } else {
        c.kind = item.type == static_cast<int>(RecordType::MouseDown) ? 0x43 : 0x03;
        c.parameter = Low(v);
      }
      break;
    case RecordType::WheelUp:
      c.kind = 0x44;
      c.parameter = 0x01;
      break;
    case RecordType::WheelDown:
      c.kind = 0x44;
      c.parameter = 0xFF;
      break;
    case RecordType::MoveUp:
    case RecordType::MoveDown:
    case RecordType::MoveLeft:
    case RecordType::MoveRight:
      c.kind = kKindMove;
      c.parameter = Low(v);
      break;
    case RecordType::MoveXY: {
      const int x = v & 0xFF;
      const int y = (v >> 8) & 0xFF;
      c.kind = kKindMove;
      c.parameter = Low((y & 0x0F) + 16 * (x & 0x0F));
      if (v & 0x80) c.direction_bits |= 0x40;    // X to the left
      if (v & 0x8000) c.direction_bits |= 0x80;  // Y upwards
      break;
    }
    default:
      break;
  }
  return c;
}

MacroImage BuildMacroImage(const std::vector<std::vector<MacroRecord>>& items_by_macro) {
  MacroImage image;
  size_t pos = kMacroTableSize;
  const size_t count = std::min(items_by_macro.size(), static_cast<size_t>(kMaxMacros));
  image.placement.held.assign(items_by_macro.size(), false);
  for (size_t i = 0; i < count; ++i) {
    const std::vector<Event> events = EncodeMacro(items_by_macro[i]);
    const size_t need = events.size() * kMacroEventSize;
    if (need > kMacroImageSize - pos) continue;  // left out whole; its entry stays 0
    image.bytes[2 * i] = Low(static_cast<int>(pos));
    image.bytes[2 * i + 1] = Low(static_cast<int>(pos >> 8));
    for (const Event& e : events) {
      std::copy(e.begin(), e.end(), image.bytes.begin() + static_cast<long>(pos));
      pos += kMacroEventSize;
    }
    image.placement.held[i] = true;
  }
  image.length = pos;
  return image;
}

std::vector<CommandBuffer> BuildMacroImageCommands(const MacroImage& image) {
  std::vector<CommandBuffer> commands;
  const size_t length = std::min(image.length, kMacroImageSize);
  for (size_t offset = 0; offset < length; offset += kDataSize) {
    const size_t n = std::min(kDataSize, length - offset);
    CommandBuffer b = BuildCommand(kWriteMacroChunk, 0x00, Low(static_cast<int>(n)), 0);
    b[At(5)] = Low(static_cast<int>(offset));
    b[At(6)] = Low(static_cast<int>(offset >> 8));
    std::copy_n(image.bytes.begin() + static_cast<long>(offset), n, b.begin() + At(kDataOffset));
    ApplyChecksum(b);
    commands.push_back(b);
  }
  commands.push_back(BuildMacroComplete());
  return commands;
}

}  // namespace zq::codec
