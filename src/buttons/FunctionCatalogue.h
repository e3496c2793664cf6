#pragma once
// The functions a button position can carry: their stored form
// (ButtonAssignment), the four-byte code under which the mouse keeps them,
// and the conversions between the two. Pure data and conversion; the device
// operations put the codes into key reports.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroModel.h"
#include "store/Records.h"

namespace zq {

// ButtonAssignment.macro_type.
enum class FunctionType : int {
  LeftClick = 1,
  MiddleClick = 2,
  RightClick = 3,
  DoubleClick = 4,
  Forward = 5,
  Backward = 6,
  ScrollUp = 7,
  ScrollDown = 8,
  Special2155 = 9,
  Special21AA = 10,
  Special2161 = 11,
  Special2162 = 12,
  DpiPlus = 15,
  DpiMinus = 16,
  DpiLoop = 17,
  SpecialF00201 = 19,
  SpecialF00202 = 20,
  SpecialF00203 = 21,
  KeyCombination = 22,
  MacroFunction = 23,
  Disabled = 24,
  Multimedia = 25,
  Shortcut = 26,
  EmojiFunction = 27,
};

// b0 (class) b1 b2 b3 as the mouse keeps them.
using FunctionCode = std::array<uint8_t, 4>;

inline constexpr int kPositionCount = 9;  // key_code 1..9
inline constexpr int kSlotCount = 9;      // slots 0..8 of a key report
inline constexpr int kWrittenSlots = 8;   // a write carries slots 0..7

// What the buttons of one position are; key_code 1..9.
struct PositionInfo {
  int key_code;
  int slot;
  bool shown;                // on the buttons page
  int default_type;          // FunctionType, 0 for none
  FunctionCode disabled;     // code sent for Disabled
};

// The position table entry; nullptr for key codes outside 1..9.
const PositionInfo* PositionOf(int key_code);
// -1 when the key code is not a position.
int SlotOfPosition(int key_code);
// 0 when the slot is not 0..8.
int PositionOfSlot(int slot);

// The codes of slots 0..7 that a key report starts from.
const std::array<FunctionCode, kWrittenSlots>& DefaultFunctionCodes();

// The localised text number that names a fixed function (types 1..11, 15..17,
// 19..21, 24); 0 for the others.
int FunctionTextNumber(int type);

// Multimedia values 1..8: the consumer usage and the text number; 0 outside.
int MultimediaUsage(int value);
int MultimediaTextNumber(int value);

// Shortcut values 1..13: the code and the text number; 00 00 00 00 and 0 outside.
FunctionCode ShortcutCode(int value);
int ShortcutTextNumber(int value);

// The code of an assignment. `macros` is the macro list in store order; the
// position of the named macro in it is its number in the mouse. `placement`
// says which positions the macro memory holds (by default the first
// kMaxMacros); a macro that is not held encodes as 00 00 00 00, so its
// button does nothing rather than play another macro.
FunctionCode EncodeFunction(const ButtonAssignment& assignment, const std::vector<Macro>& macros,
                            const MacroPlacement* placement = nullptr);

// The assignment to store for the code that slot `slot` of profile `profile`
// reported, or nothing when the code says nothing (the position keeps its
// stored row). Slots outside 0..8 give nothing.
std::optional<ButtonAssignment> DecodeFunction(int profile, int slot, const FunctionCode& code,
                                               const std::vector<Macro>& macros);

}  // namespace zq
