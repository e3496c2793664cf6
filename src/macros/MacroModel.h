#pragma once
// The macro model shared by the recorder, the editor, the macro file and the
// device's macro image: the codes of a macro's options and items, the texts
// that describe items, and the limits every producer of macros respects.
// Macro and MacroRecord themselves are the store's records.

#include <cstdint>
#include <string>
#include <vector>

#include "store/Records.h"

namespace zq {

// Macro.play_type. The two loop modes are known to the mouse only by the
// mode bytes of the function code; their names describe their radio buttons.
enum class PlayType : int {
  PlayCount = 0,   // play Macro.play_times times
  LoopFirst = 1,   // function code mode byte 2
  LoopSecond = 2,  // function code mode byte 3
};

// Macro.delay_type: which delays the recorder puts between events.
enum class DelayType : int {
  NoDelay = 0,
  RecordedDelay = 1,
  FixedDelay = 2,
};

// MacroRecord.type.
enum class RecordType : int {
  Delay = 1,
  KeyDown = 2,
  KeyUp = 3,
  MouseDown = 4,
  MouseUp = 5,
  WheelUp = 6,    // never created here, but accepted from files
  WheelDown = 7,  // likewise
  MoveUp = 8,
  MoveDown = 9,
  MoveLeft = 10,
  MoveRight = 11,
  MoveXY = 12,
};

// Button bits carried by mouse button items.
enum MouseButtonBit : int {
  kButtonLeft = 1,
  kButtonRight = 2,
  kButtonMiddle = 4,
  kButtonBackward = 8,
  kButtonForward = 16,
};

// Limits of the macro model.
inline constexpr int kMaxMacros = 32;          // macros the editor creates; table entries
inline constexpr int kMaxMacroItems = 200;     // items of one macro, delays included
inline constexpr int kMaxRecordedDelayMs = 15000;
inline constexpr int kMinFixedDelayMs = 10;
inline constexpr int kMaxFixedDelayMs = 15000;
inline constexpr int kMinItemDelayMs = 1;
inline constexpr int kMaxItemDelayMs = 15000;
inline constexpr int kMinPlayCount = 1;
inline constexpr int kMaxPlayCount = 255;
inline constexpr int kMinMoveDistance = 0;
inline constexpr int kMaxMoveDistance = 15;

// A new macro plays once and records real delays.
inline constexpr int kNewMacroPlayType = static_cast<int>(PlayType::PlayCount);
inline constexpr int kNewMacroPlayTimes = 1;
inline constexpr int kNewMacroDelayType = static_cast<int>(DelayType::RecordedDelay);
inline constexpr int kNewMacroDelayTime = 0;

// One entry of the editor's item list; a MacroRecord without its store ids.
struct RecordItem {
  std::string text;
  int type = 0;
  int value = 0;
  int timestamp = 0;  // ties a down item to its up item

  bool operator==(const RecordItem&) const = default;
};

RecordItem ToRecordItem(const MacroRecord& record);
// The items of a list as the records to store for `macro_id`, numbered by
// their position in the list.
std::vector<MacroRecord> ToMacroRecords(int macro_id, const std::vector<RecordItem>& items);

// The arrow prefixes of key, button and move texts: an arrow and two blanks.
inline constexpr const char* kDownPrefix = "\u2193  ";
inline constexpr const char* kUpPrefix = "\u2191  ";
inline constexpr const char* kRightPrefix = "\u2192  ";
inline constexpr const char* kLeftPrefix = "\u2190  ";

// The words by which a mouse button item is recognised as a wheel step.
inline constexpr const char* kScrollUpName = "Scroll Up";
inline constexpr const char* kScrollDownName = "Scroll Down";

// " -   %d ms"
std::string DelayItemText(int ms);
// "↓  " + name and "↑  " + name, for key and mouse button items.
std::string DownItemText(const std::string& name);
std::string UpItemText(const std::string& name);
// The name a key or button item shows after its arrow ("" when the text is
// shorter than the prefix).
std::string ItemNameOf(const std::string& text);

// "LB", "RB", "MB", "Backward", "Forward"; "" for any other value.
std::string MouseButtonName(int bit);

// Texts of the single moves (types 8 to 11): the arrow of the direction and
// the distance; "" for any other type.
std::string SingleMoveText(RecordType type, int distance);

// A move by X and Y, as the editor inserts it: "→  %d, ↓  %d".
std::string NewMoveText(int x, int y);
// A move by X and Y after editing: "→  x" or "←  x", then ",↓  y" or ",↑  y".
std::string EditedMoveText(int x, bool left, int y, bool up);

// The value of a move by X and Y: X | 0x80 leftwards | Y << 8 | 0x8000 upwards.
// Distances are limited to 0..15.
struct MoveXY {
  int x = 0;
  bool left = false;
  int y = 0;
  bool up = false;

  bool operator==(const MoveXY&) const = default;
};
int EncodeMoveXY(const MoveXY& move);
MoveXY DecodeMoveXY(int value);  // x = bits 0-6, y = bits 8-14

// Which macros of the macro list (by position, store order) the mouse's
// macro memory holds. The memory has a table entry for the first kMaxMacros
// positions only, and a macro that does not fit whole is left out; a button
// naming a macro that is not held must not be sent as that macro's number,
// or the mouse would play whatever sits at that table entry.
struct MacroPlacement {
  std::vector<bool> held;
  bool Holds(size_t position) const { return position < held.size() && held[position]; }
};

int ClampMoveDistance(int distance);
int ClampFixedDelay(int ms);
int ClampItemDelay(int ms);
int ClampPlayCount(int count);

}  // namespace zq
