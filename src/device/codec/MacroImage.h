#pragma once
// The mouse's macro memory: one 4224-byte image holding every macro as a
// stream of 4-byte events, sent in 56-byte chunks (0x0D) and closed with 0x10.
//
// Layout: a table of 32 little-endian offsets (entry i: the first event of
// macro i of the macro list), then the event streams back to back. An event
// is: delay after it (2 bytes, little-endian; a move by X and Y keeps its
// direction bits 0x40/0x80 in the high byte), kind (0x80 marks the last event
// of a macro), parameter.
//
// What does not fit: the memory never grows past 4224 bytes. Macros are laid
// out whole, in list order; one whose events do not fit into the space left
// is left out (its table entry stays 0) and the next ones are still tried.
// Macros beyond the 32nd have no table entry and are never laid out. The
// placement tells EncodeFunction which macros are held, so a button naming a
// left-out macro sends nothing instead of another macro's events.
//
// A macro of delays only has no event of its own. It gets the empty-macro
// event (kind 0x80, parameter 0) carrying its total delay, and its table
// entry points there: the entry must not point at the next macro's first
// event (the button would play that macro), and its delay is this macro's,
// so it must not be added to another macro's event.
//
// Delays: the gap after an event is the sum of the delay items up to the next
// event (10 ms when there are none). The field holds at most 65535 ms, and
// at most 16383 ms on a move event, whose top two bits are directions; a
// longer sum is cut to that maximum rather than wrapping or turning a move.

#include <array>
#include <cstdint>
#include <vector>

#include "device/codec/Command.h"
#include "macros/MacroModel.h"

namespace zq::codec {

inline constexpr size_t kMacroImageSize = 4224;
inline constexpr size_t kMacroTableSize = 64;
inline constexpr size_t kMacroEventSize = 4;
inline constexpr uint16_t kDefaultEventGapMs = 10;
inline constexpr uint8_t kLastEventFlag = 0x80;

struct MacroImage {
  std::array<uint8_t, kMacroImageSize> bytes{};
  size_t length = kMacroTableSize;  // bytes in use: the table and the events
  MacroPlacement placement;         // by position in the macro list
};

// Bytes 1..3 of the event of one non-delay item: the direction bits of a move
// by X and Y (ORed into the delay's high byte), the kind and the parameter.
struct EventCode {
  uint8_t direction_bits = 0;
  uint8_t kind = 0;
  uint8_t parameter = 0;
};
EventCode EncodeMacroEvent(const MacroRecord& item);

// `items_by_macro[i]`: the items of macro i of the macro list, in
// record_index order.
MacroImage BuildMacroImage(const std::vector<std::vector<MacroRecord>>& items_by_macro);

// The chunk commands (0x0D) for the image, then the completion command 0x10.
std::vector<CommandBuffer> BuildMacroImageCommands(const MacroImage& image);

}  // namespace zq::codec
