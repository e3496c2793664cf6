#pragma once
// A thread that calls Run once per cycle, the cycle paced by a Clock so that
// tests can run it on a VirtualClock.
//
// Shutdown: Stop gives the thread 1000 ms (on the clock) to leave its loop.
// If it does, the thread is joined. If Run is still busy (a device
// transaction can take seconds), Stop returns false and the thread keeps its
// std::thread owner: it is never detached, because a detached thread would go
// on calling Run on an object that may be destroyed meanwhile. Join waits
// without limit; the destructor joins. Run is virtual, so a derived class
// must call Join (or Stop, then Join) in its own destructor, before its
// members go away.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/Clock.h"

namespace zq {

class CThreadBasic {
 public:
  static constexpr uint32_t kDefaultPeriodMs = 30;
  static constexpr uint32_t kStopWaitMs = 1000;

  explicit CThreadBasic(Clock& clock = DefaultClock());
  virtual ~CThreadBasic();
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;

  // Starts the thread with period 30 ms, calling Run repeatedly.
  bool Start() { return Start(kDefaultPeriodMs, true); }
  // repeat false: Run is called once. False when the thread is already
  // running, when an earlier thread has not ended yet, or when no thread
  // could be created.
  bool Start(uint32_t period_ms, bool repeat);

  // Clears the running flag and waits up to 1000 ms for the thread to leave
  // its loop. True when the thread has ended (it is then joined) or was not
  // running; false when Run is still busy (see Join).
  bool Stop();

  // Clears the running flag and waits for the thread to end, however long
  // the current Run takes.
  void Join();

  bool IsRunning() const { return running_.load(); }
  // True between Start and the moment the thread leaves its loop.
  bool IsThreadAlive() const;
  uint32_t Period() const { return period_ms_.load(); }
  bool Repeats() const { return repeat_.load(); }
  uint64_t StartTick() const { return start_tick_.load(); }

 protected:
  // One cycle. Runs on the thread.
  virtual void Run() = 0;

  Clock& clock() { return clock_; }

 private:
  void ThreadProc();
  // Joins the thread object when its loop has ended; must hold thread_mutex_.
  void ReapLocked();

  Clock& clock_;
  // The stop event: set by the thread when it leaves its loop.
  mutable std::mutex event_mutex_;
  std::condition_variable event_cv_;
  bool stopped_ = true;
  std::atomic<bool> running_{false};
  std::atomic<bool> repeat_{true};
  std::atomic<uint32_t> period_ms_{kDefaultPeriodMs};
  std::atomic<uint64_t> start_tick_{0};

  // Serialises Start, Stop and Join (from any thread but the worker's own).
  std::mutex thread_mutex_;
  std::thread thread_;
};

}  // namespace zq
