#pragma once
// Types Unicode text into the focused X11 window through XTest, whatever the
// keyboard layout: each character is bound for the length of one text to a
// keycode that has no symbols, pressed and released there, and the keycodes
// get their empty mapping back when the text is done.
//
// Without an X11 display (no DISPLAY, a Wayland session without XWayland, a
// server without XTest) nothing is typed, and the reason is logged once.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "buttons/Emoji.h"
#include "platform/Clock.h"

namespace zq {

class XTestKeystrokeSink final : public KeystrokeSink {
 public:
  // `display_name` empty: the DISPLAY of the environment. `settle_ms`: how
  // long the bindings stay after the last keystroke, so that the receiving
  // program translates the last key before its binding goes away.
  explicit XTestKeystrokeSink(std::string display_name = {}, Clock& clock = DefaultClock(),
                              uint32_t settle_ms = 50);
  ~XTestKeystrokeSink() override;
  XTestKeystrokeSink(const XTestKeystrokeSink&) = delete;
  XTestKeystrokeSink& operator=(const XTestKeystrokeSink&) = delete;

  void BeginText() override;
  void SendUnit(char16_t unit) override;
  void EndText() override;

  // Whether the display is open and usable (after BeginText).
  bool Available() const;

 private:
  struct Impl;
  void TypeCodePoint(char32_t cp);
  void Unavailable(const std::string& reason);

  std::string display_name_;
  Clock& clock_;
  uint32_t settle_ms_;
  std::unique_ptr<Impl> impl_;
  char16_t pending_high_ = 0;
  bool logged_ = false;
};

// The X keysym of a code point: Latin-1 directly, the rest as Unicode keysyms.
unsigned long KeysymOfCodePoint(char32_t cp);

}  // namespace zq
