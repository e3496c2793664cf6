#pragma once
// A keystroke sink that records what would have been typed, for tests of
// everything that types text (emoji notifications, the device worker).

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "buttons/Emoji.h"
#include "platform/Clock.h"
#include "platform/Text.h"

namespace zq {

class RecordingKeystrokeSink final : public KeystrokeSink {
 public:
  struct Keystroke {
    char16_t unit;
    bool key_up;
    uint64_t tick;  // clock time of the keystroke

    bool operator==(const Keystroke&) const = default;
  };

  explicit RecordingKeystrokeSink(Clock& clock) : clock_(clock) {}

  void SendUnit(char16_t unit) override {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint64_t now = clock_.TickCount();
    strokes_.push_back({unit, false, now});
    strokes_.push_back({unit, true, now});
  }

  std::vector<Keystroke> Strokes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return strokes_;
  }

  // The text typed so far (the units of the key-down strokes).
  std::string Text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::u16string units;
    for (const auto& s : strokes_)
      if (!s.key_up) units += s.unit;
    return Utf16ToUtf8(units);
  }

 private:
  Clock& clock_;
  mutable std::mutex mutex_;
  std::vector<Keystroke> strokes_;
};

}  // namespace zq
