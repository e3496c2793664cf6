#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace zq {
namespace {

TEST(VirtualClock, AdvancesOnlyBySleepingAndRecordsTheSchedule) {
  VirtualClock clock(500);
  EXPECT_EQ(clock.TickCount(), 500u);
  clock.Sleep(10);
  clock.Sleep(1000);
  clock.Advance(5);
  EXPECT_EQ(clock.TickCount(), 1515u);
  EXPECT_EQ(clock.SleptMs(), 1010u);
  EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{10, 1000}));
}

TEST(VirtualClock, SleepsFromSeveralThreadsAllCount) {
  VirtualClock clock(0);
  std::thread a([&] { for (int i = 0; i < 1000; ++i) clock.Sleep(1); });
  std::thread b([&] { for (int i = 0; i < 1000; ++i) clock.Sleep(2); });
  a.join();
  b.join();
  EXPECT_EQ(clock.TickCount(), 3000u);
  EXPECT_EQ(clock.SleepCount(), 2000u);
}

TEST(SystemClock, NeverGoesBackwards) {
  SystemClock clock;
  const uint64_t a = clock.TickCount();
  clock.Sleep(2);
  EXPECT_GE(clock.TickCount(), a + 1);
}

}  // namespace
}  // namespace zq
