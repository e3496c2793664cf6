#pragma once
// The device worker's task codes, queued by the UI thread (and by the worker
// itself) and taken one per cycle by the worker: first in, first out.

#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace zq {

enum TaskCode : int {
  kTaskInitialRead = 1,
  kTaskArrival = 2,
  kTaskRemoval = 3,
  kTaskProfileSwitched = 5,
  kTaskApply = 6,
  kTaskReadFromMouse = 7,
  kTaskLightingMode = 9,
  kTaskActiveDpiLevel = 10,
  kTaskRestoreDefaults = 15,
  kTaskFactoryReset = 16,
};

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
