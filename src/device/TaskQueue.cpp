#include "device/TaskQueue.h"

namespace zq {

void TaskQueue::Push(int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  codes_.push_back(code);
}

std::optional<int> TaskQueue::TryPop() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (codes_.empty()) return std::nullopt;
  int code = codes_.front();
  codes_.pop_front();
  return code;
}

bool TaskQueue::Empty() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return codes_.empty();
}

size_t TaskQueue::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return codes_.size();
}

std::vector<int> TaskQueue::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::vector<int>(codes_.begin(), codes_.end());
}

void TaskQueue::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  codes_.clear();
}

}  // namespace zq
