#pragma once
// A dialog that records every event it receives, for checking what a user's action produces.

#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "shell/toolkit/MDialog.h"

namespace zq::ui::test {

struct Event {
  int id;
  int event;
  std::int64_t value;
  bool operator==(const Event&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Event& e) {
  return os << "{" << e.id << ", " << e.event << ", " << e.value << "}";
}

class RecordingDialog : public MDialog {
 public:
  int OnMessage(int id, int event, std::int64_t value, std::int64_t) override {
    events.push_back({id, event, value});
    return 1;
  }
  std::int64_t OnWindowMessage(std::uint32_t message, std::uint64_t wParam,
                               std::int64_t lParam) override {
    messages.emplace_back(message, wParam, lParam);
    messageThreads.push_back(std::this_thread::get_id());
    return 1;
  }
  std::vector<Event> TakeEvents() { return std::exchange(events, {}); }

  std::vector<Event> events;
  std::vector<std::tuple<std::uint32_t, std::uint64_t, std::int64_t>> messages;
  std::vector<std::thread::id> messageThreads;
};

}  // namespace zq::ui::test
