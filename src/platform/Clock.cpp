#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace zq {

uint64_t SystemClock::TickCount() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SystemClock::Sleep(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void VirtualClock::Sleep(uint32_t ms) {
  now_ += ms;
  slept_ += ms;
  ++sleeps_;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (log_.size() < 100000) log_.push_back(ms);
  }
  // Another thread waiting on the same virtual time gets a chance to run.
  std::this_thread::yield();
}

std::vector<uint32_t> VirtualClock::Sleeps() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return log_;
}

void VirtualClock::ClearSleeps() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.clear();
}

Clock& DefaultClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace zq
