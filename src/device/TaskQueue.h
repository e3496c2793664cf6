#pragma once
// A first-in first-out queue of the device worker's task codes
// (device/worker/TaskCodes.h), safe to fill and drain from two threads.

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "device/worker/TaskCodes.h"

namespace zq {

class TaskQueue {
 public:
  void Push(int code);
  // The oldest code, or nothing when the queue is empty.
  std::optional<int> TryPop();
  bool Empty() const;
  size_t Size() const;
  std::vector<int> Snapshot() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::deque<int> codes_;
};

}  // namespace zq
