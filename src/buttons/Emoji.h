#pragma once
// The emoji texts a button can type: the mouse reports an emoji number and
// the program types its text code (as a chat program expects it) into the
// focused window.

#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace zq {

inline constexpr int kEmojiCount = 109;

// The text code of emoji 1..109, e.g. "[微笑]"; "" for any other number.
std::string EmojiCodeOf(int number);
// The name the picker shows; "" for any other number.
std::string EmojiNameOf(int number);
// "Emoji/wechat_emoji_%02d.png" with number - 1; "" for any other number.
std::string EmojiPictureFile(int number);

// Where typed text goes. One call is one Unicode keystroke: the UTF-16 unit
// pressed and released. BeginText and EndText bracket one text.
class KeystrokeSink {
 public:
  virtual ~KeystrokeSink() = default;
  virtual void BeginText() {}
  virtual void SendUnit(char16_t unit) = 0;
  virtual void EndText() {}
};

// Types `utf8` (carriage returns removed) one UTF-16 unit at a time, with a
// 10 ms pause after each unit. A character outside the basic plane goes out
// as its two surrogate units.
void TypeEmojiText(std::string_view utf8, KeystrokeSink& sink, Clock& clock);

// The emoji notification: types the code of `number` unless it has none.
void TypeEmoji(int number, KeystrokeSink& sink, Clock& clock);

inline constexpr uint32_t kKeystrokeGapMs = 10;

}  // namespace zq
