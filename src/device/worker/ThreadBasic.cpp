#include "device/worker/ThreadBasic.h"

#include <chrono>
#include <system_error>

namespace zq {

CThreadBasic::CThreadBasic(Clock& clock) : clock_(clock) {}

CThreadBasic::~CThreadBasic() { Join(); }

bool CThreadBasic::Start(uint32_t period_ms, bool repeat) {
  std::lock_guard<std::mutex> guard(thread_mutex_);
  if (running_.load()) return false;
  ReapLocked();
  // A thread that outlived an earlier Stop is still inside Run: a second
  // thread would run cycles beside it.
  if (thread_.joinable()) return false;
  period_ms_ = period_ms;
  repeat_ = repeat;
  start_tick_ = clock_.TickCount();
  {
    std::lock_guard<std::mutex> lock(event_mutex_);
    stopped_ = false;
  }
  running_ = true;
  try {
    thread_ = std::thread([this] { ThreadProc(); });
  } catch (const std::system_error&) {
    running_ = false;
    std::lock_guard<std::mutex> lock(event_mutex_);
    stopped_ = true;
    return false;
  }
  return true;
}

void CThreadBasic::ThreadProc() {
  if (!repeat_.load()) {
    Run();
  } else {
    while (running_.load()) {
      Run();
      if (!running_.load()) break;
      clock_.Sleep(period_ms_.load());
    }
  }
  running_ = false;
  {
    std::lock_guard<std::mutex> lock(event_mutex_);
    stopped_ = true;
  }
  event_cv_.notify_all();
}

bool CThreadBasic::Stop() {
  std::lock_guard<std::mutex> guard(thread_mutex_);
  running_ = false;
  if (!thread_.joinable()) return true;
  // Called from Run itself: the loop ends after this cycle; waiting here for
  // it would only wait for ourselves.
  if (thread_.get_id() == std::this_thread::get_id()) return false;
  // The deadline is kept on the clock, and the clock is moved on when real
  // waiting did not move it: on a VirtualClock nothing else may advance time
  // while Run is blocked, and Stop must still come back.
  const uint64_t start = clock_.TickCount();
  std::unique_lock<std::mutex> lock(event_mutex_);
  while (!stopped_) {
    const uint64_t now = clock_.TickCount();
    if (now - start >= kStopWaitMs) break;
    event_cv_.wait_for(lock, std::chrono::milliseconds(1), [this] { return stopped_; });
    if (stopped_) break;
    if (clock_.TickCount() == now) {
      lock.unlock();
      clock_.Sleep(1);
      lock.lock();
    }
  }
  const bool ended = stopped_;
  lock.unlock();
  if (ended) thread_.join();
  return ended;
}

void CThreadBasic::Join() {
  std::lock_guard<std::mutex> guard(thread_mutex_);
  running_ = false;
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool CThreadBasic::IsThreadAlive() const {
  std::lock_guard<std::mutex> lock(event_mutex_);
  return !stopped_;
}

void CThreadBasic::ReapLocked() {
  bool ended;
  {
    std::lock_guard<std::mutex> lock(event_mutex_);
    ended = stopped_;
  }
  if (ended && thread_.joinable()) thread_.join();
}

}  // namespace zq
