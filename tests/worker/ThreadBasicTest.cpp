#include "device/worker/ThreadBasic.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "../platform/TempDir.h"
#include "WorkerFakes.h"
#include "device/worker/DeviceWorker.h"

namespace zq {
namespace {

// Waits in real time until `done` holds, at most `limit` (a guard against a
// hang, not a measurement).
template <typename Pred>
bool WaitUntil(Pred done, std::chrono::seconds limit = std::chrono::seconds(30)) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class CountingThread final : public CThreadBasic {
 public:
  explicit CountingThread(Clock& clock) : CThreadBasic(clock) {}
  ~CountingThread() override { Join(); }

  std::atomic<int> runs{0};
  // While set, Run blocks until Release.
  std::atomic<bool> block{false};
  std::atomic<bool> blocked{false};

  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    block = false;
    cv_.notify_all();
  }

 protected:
  void Run() override {
    ++runs;
    std::unique_lock<std::mutex> lock(mutex_);
    if (block) blocked = true;
    cv_.wait(lock, [this] { return !block.load(); });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
};

TEST(CThreadBasic, RunsEveryPeriodUntilStopped) {
  VirtualClock clock(0);
  CountingThread thread(clock);
  EXPECT_FALSE(thread.IsRunning());
  ASSERT_TRUE(thread.Start());
  EXPECT_FALSE(thread.Start());
  EXPECT_EQ(thread.Period(), 30u);
  EXPECT_TRUE(thread.Repeats());
  EXPECT_EQ(thread.StartTick(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return thread.runs >= 3; }));
  EXPECT_TRUE(thread.Stop());
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_FALSE(thread.IsThreadAlive());
  int runs = thread.runs;
  // The cycles were paced by the clock, 30 ms apart.
  auto sleeps = clock.Sleeps();
  ASSERT_GE(sleeps.size(), 2u);
  EXPECT_EQ(sleeps[0], 30u);
  EXPECT_EQ(sleeps[1], 30u);
  // Stopped means stopped: no cycle after Stop, and a second Stop is harmless.
  EXPECT_TRUE(thread.Stop());
  EXPECT_EQ(thread.runs, runs);
  // And the thread can be started again.
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(WaitUntil([&] { return thread.runs > runs; }));
  EXPECT_TRUE(thread.Stop());
}

TEST(CThreadBasic, WithoutRepeatRunsOnceAndEnds) {
  VirtualClock clock(0);
  CountingThread thread(clock);
  ASSERT_TRUE(thread.Start(30, false));
  ASSERT_TRUE(WaitUntil([&] { return !thread.IsThreadAlive(); }));
  EXPECT_EQ(thread.runs, 1);
  EXPECT_TRUE(thread.Stop());
  EXPECT_EQ(thread.runs, 1);
}

TEST(CThreadBasic, StopComesBackWhileRunIsBlockedAndTheThreadIsKept) {
  VirtualClock clock(0);
  CountingThread thread(clock);
  thread.block = true;
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(WaitUntil([&] { return thread.blocked.load(); }));
  EXPECT_FALSE(thread.Stop());
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_TRUE(thread.IsThreadAlive());
  // No second thread beside the one still inside Run.
  EXPECT_FALSE(thread.Start());
  thread.Release();
  thread.Join();
  EXPECT_FALSE(thread.IsThreadAlive());
  // The loop saw the cleared running flag: Run was not called again.
  EXPECT_EQ(thread.runs, 1);
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.Stop());
}

TEST(CThreadBasic, DestroyingARunningThreadEndsItsCycles) {
  VirtualClock clock(0);
  std::atomic<int> outside_runs{0};
  class Counted final : public CThreadBasic {
   public:
    Counted(Clock& c, std::atomic<int>& n) : CThreadBasic(c), n_(n) {}
    ~Counted() override { Join(); }

   protected:
    void Run() override { ++n_; }

   private:
    std::atomic<int>& n_;
  };
  {
    Counted thread(clock, outside_runs);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return outside_runs > 0; }));
  }
  const int runs = outside_runs;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(outside_runs, runs);
}

// Tasks queued from two UI-side threads while the worker pops them and also
// queues task 10 itself; run under ThreadSanitizer to check the queue.
TEST(DeviceWorkerThread, QueueingRacesPoppingWithoutLoss) {
  test::TempDir dir;
  Registry registry(dir.path());
  test::CallLog log;
  test::LoggingClock clock(log);
  clock.set_log_sleeps(false);
  test::FakeDevice device(log);
  device.log_polls = false;
  test::FakeWindow window(log);
  DeviceWorker worker(device, window, registry, clock);
  constexpr int kPerThread = 300;
  ASSERT_TRUE(worker.Start());
  auto producer = [&](int code) {
    for (int i = 0; i < kPerThread; ++i) {
      worker.QueueTask(code);
      if (i % 16 == 0) std::this_thread::yield();
    }
  };
  std::thread a(producer, kTaskProfileSwitched);
  std::thread b(producer, kTaskLightingMode);
  a.join();
  b.join();
  ASSERT_TRUE(WaitUntil([&] { return worker.PendingTasks().empty(); }));
  EXPECT_TRUE(worker.Stop());
  EXPECT_EQ(log.Count("RefillProfileCombo"), static_cast<size_t>(kPerThread));
  EXPECT_EQ(log.Count("WriteLightingMode 3"), static_cast<size_t>(kPerThread));
  EXPECT_EQ(log.Count("CloseWaitDialog"), static_cast<size_t>(2 * kPerThread));
}

}  // namespace
}  // namespace zq
