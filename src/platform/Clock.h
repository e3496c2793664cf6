#pragma once
// Every wait of the program (transaction timeouts, retries, the worker's
// period, the notification poll) goes through a Clock, so that tests can run
// seconds of device behaviour in microseconds on a VirtualClock.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace zq {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start, never going backwards.
  virtual uint64_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

// Real time: steady clock and a real sleep.
class SystemClock final : public Clock {
 public:
  uint64_t TickCount() override;
  void Sleep(uint32_t ms) override;
};

// Test time: starts at a given tick, advances only by Sleep or Advance.
// Safe to use from several threads; a Sleep advances the time for everyone.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(uint64_t start = 1000) : now_(start) {}
  uint64_t TickCount() override { return now_.load(); }
  void Sleep(uint32_t ms) override;
  void Advance(uint64_t ms) { now_ += ms; }
  // Total of all sleeps requested so far, and how many there were.
  uint64_t SleptMs() const { return slept_.load(); }
  uint64_t SleepCount() const { return sleeps_.load(); }
  // Each Sleep is recorded here, in order (for tests of a wait schedule).
  std::vector<uint32_t> Sleeps() const;
  void ClearSleeps();

 private:
  std::atomic<uint64_t> now_;
  std::atomic<uint64_t> slept_{0};
  std::atomic<uint64_t> sleeps_{0};
  mutable std::mutex mutex_;
  std::vector<uint32_t> log_;
};

// The clock the program uses unless a component is given another one.
Clock& DefaultClock();

}  // namespace zq
