// Command transactions against the simulated mouse on a virtual clock: the
// bytes on the wire, the retry schedule and what every fault ends in.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "TestRig.h"

namespace zq {
namespace {

using sim::SimFault;
using test::Command;
using test::Rig;

TEST(CommandReport, ChecksumIsFilledInBeforeSending) {
  struct Case {
    const char* what;
    std::array<uint8_t, 65> request;
    uint8_t checksum;
  };
  const Case cases[] = {
      {"battery read, profile 1", Command(0x30, 0xA5, 0x2E), 0x2E},
      {"report rate 1000 Hz, profile 1", Command(0x23, 0xAE, 0x03, 0, {0, 0, 0x04}), 0x07},
  };
  for (const Case& c : cases) {
    Rig rig;
    auto buffer = c.request;
    buffer[4] = 0x99;  // whatever the caller left there is replaced
    EXPECT_TRUE(rig.manager.SendCommand(buffer)) << c.what;
    auto sent = rig.mouse->Requests();
    ASSERT_EQ(sent.size(), 1u) << c.what;
    EXPECT_EQ(sent[0][3], c.checksum) << c.what;
    EXPECT_EQ(sent[0][0], 0x55) << c.what;
  }
}

TEST(CommandReport, ReceiverQueryChecksumMakesTheSum0xA1) {
  std::array<uint8_t, 64> q{0x01, 0x00, 0x81, 0x01};
  EXPECT_EQ(HidDeviceManager::ReceiverChecksum(q), 0x1E);

  Rig rig(sim::SimMode::Receiver);  // enumeration asks the receiver
  auto sent = rig.mouse->Requests();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0][0], 0x01);
  EXPECT_EQ(sent[0][2], 0x81);
  EXPECT_EQ(sent[0][63], 0x1E);
}

TEST(CommandReport, ResponseDataArrivesAtTheRequestOffsets) {
  Rig rig;
  rig.mouse->SetBattery(67, 1);
  auto buffer = Command(0x30, 0xA5, 0x2E, 2);
  ASSERT_TRUE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(buffer[0], 0xAA);
  EXPECT_EQ(buffer[1], 0x30);
  EXPECT_EQ(buffer[7], 2);
  EXPECT_EQ(buffer[8], 67);
  EXPECT_EQ(buffer[9], 1);
}

// Each row: the faults the mouse shows to the next requests, and what the
// transaction must end in. Waits are read from the virtual clock: a read
// that times out shows up as a wait of 1000 ms.
struct ScheduleCase {
  const char* what;
  std::vector<SimFault> faults;
  bool result;
  std::vector<uint32_t> waits;
  size_t requests;
  friend void PrintTo(const ScheduleCase& c, std::ostream* os) { *os << c.what; }
};

class RetrySchedule : public ::testing::TestWithParam<ScheduleCase> {};

TEST_P(RetrySchedule, EndsAsDocumented) {
  const ScheduleCase& c = GetParam();
  Rig rig;
  rig.mouse->SetLateReplyDelay(1500);
  for (SimFault f : c.faults) rig.mouse->InjectFault(f);
  auto buffer = Command(0x0E, 0xA5, 0x2E, 1);
  EXPECT_EQ(rig.manager.SendCommand(buffer), c.result);
  EXPECT_EQ(rig.clock.Sleeps(), c.waits);
  auto sent = rig.mouse->Requests();
  ASSERT_EQ(sent.size(), c.requests);
  // A retry sends the request exactly as first built.
  for (const auto& request : sent) EXPECT_EQ(request, sent[0]);
  if (c.result) {
    EXPECT_EQ(buffer[0], 0xAA);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RetrySchedule,
    ::testing::Values(
        ScheduleCase{"clean", {}, true, {}, 1},
        ScheduleCase{"one silence", {SimFault::NoReply}, true, {1000, 100}, 2},
        ScheduleCase{"two silences: third attempt after 1000 ms",
                     {SimFault::NoReply, SimFault::NoReply}, true, {1000, 100, 1000, 1000}, 3},
        ScheduleCase{"three silences",
                     {SimFault::NoReply, SimFault::NoReply, SimFault::NoReply},
                     false, {1000, 100, 1000, 1000, 1000}, 3},
        ScheduleCase{"non-acknowledgement is retried", {SimFault::Nak}, true, {100}, 2},
        ScheduleCase{"three refusals", {SimFault::Nak, SimFault::Nak, SimFault::Nak}, false,
                     {100, 1000}, 3},
        ScheduleCase{"one failed write", {SimFault::WriteFailure}, true, {10}, 1},
        ScheduleCase{"garbage reply", {SimFault::Garbage}, true, {100}, 2},
        ScheduleCase{"cut-short reply", {SimFault::BadLength}, true, {100}, 2},
        ScheduleCase{"late reply taken by the second read", {SimFault::LateReply}, true,
                     {1000, 100, 400}, 2},
        ScheduleCase{"unplugged mid-transaction", {SimFault::UnplugMidTransaction}, false,
                     {100, 1000}, 1}),
    [](const ::testing::TestParamInfo<ScheduleCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST(Transaction, WriteFailingTwiceGivesUpWithoutReading) {
  Rig rig;
  rig.mouse->PushBattery(50, 0);  // a read would take this report
  rig.mouse->InjectFault(SimFault::WriteFailure, 2);
  auto buffer = Command(0x30, 0xA5, 0x2E);
  EXPECT_FALSE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(rig.clock.Sleeps(), std::vector<uint32_t>{10});
  EXPECT_EQ(rig.mouse->RequestCount(), 0u);
  EXPECT_EQ(rig.mouse->PendingInputReports(), 1u);
  EXPECT_EQ(buffer[1], 0x55);  // the request is still there
}

TEST(Transaction, NotificationWaitingIsTakenAsTheResponse) {
  Rig rig;
  rig.mouse->InjectFault(SimFault::NotificationFirst);
  auto buffer = Command(0x23, 0xAE, 0x03, 0, {0, 0, 0x02});
  EXPECT_TRUE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(buffer[0], 0xAA);
  EXPECT_EQ(buffer[1], 0xFA);
  // The real reply is still waiting behind it.
  EXPECT_EQ(rig.mouse->PendingInputReports(), 1u);
}

TEST(Transaction, WrongEchoStillCountsAsAcknowledged) {
  Rig rig;
  rig.mouse->InjectFault(SimFault::WrongEcho);
  auto buffer = Command(0x0E, 0xA5, 0x2E);
  EXPECT_TRUE(rig.manager.SendCommand(buffer));
  EXPECT_NE(buffer[1], 0x0E);  // callers that read data test the echo themselves
}

TEST(Transaction, ShortRepliesNeverPassForData) {
  Rig rig;
  rig.mouse->InjectFault(SimFault::BadLength, 3);
  auto buffer = Command(0x08, 0xA5, 0x20, 1);
  EXPECT_FALSE(rig.manager.SendCommand(buffer));
  // Nothing of the cut reply came through: a caller checking byte 0 sees
  // the request, not an acknowledged buffer of request zeros.
  EXPECT_EQ(buffer[0], 0x00);
  EXPECT_EQ(buffer[1], 0x55);
}

TEST(Transaction, NothingIsSentWithoutACommandInterface) {
  struct Case {
    const char* what;
    sim::SimMode mode;
    bool plugged;
    bool mouse_on;
  };
  const Case cases[] = {
      {"nothing plugged", sim::SimMode::Cable, false, true},
      {"Bluetooth", sim::SimMode::Bluetooth, true, true},
      {"receiver with the mouse off", sim::SimMode::Receiver, true, false},
  };
  for (const Case& c : cases) {
    Rig rig(c.mode, false);
    rig.mouse->SetMouseOn(c.mouse_on);
    if (c.plugged) rig.mouse->Plug();
    rig.Refresh();
    rig.mouse->ClearRequests();
    auto buffer = Command(0x30, 0xA5, 0x2E);
    EXPECT_FALSE(rig.manager.SendCommand(buffer)) << c.what;
    EXPECT_EQ(rig.mouse->RequestCount(), 0u) << c.what;
    EXPECT_TRUE(rig.clock.Sleeps().empty()) << c.what;
  }
}

TEST(Transaction, ClosedManagerSendsNothing) {
  Rig rig;
  rig.manager.CloseAll();
  auto buffer = Command(0x30, 0xA5, 0x2E);
  EXPECT_FALSE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(rig.mouse->RequestCount(), 0u);
  std::array<uint8_t, 10> tiny{};
  rig.Refresh();
  EXPECT_FALSE(rig.manager.SendCommand(tiny));  // too small for a report: refused
}

TEST(Transaction, UnplugMidTransactionLeavesTheManagerUsableAfterRefresh) {
  Rig rig;
  std::vector<DeviceEvent> events;
  rig.mouse->SetEventListener([&](const DeviceEvent& e) { events.push_back(e); });
  rig.mouse->InjectFault(SimFault::UnplugMidTransaction);
  auto buffer = Command(0x30, 0xA5, 0x2E);
  EXPECT_FALSE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(events.size(), 3u);
  for (const auto& e : events) EXPECT_EQ(e.code, kDeviceRemoveComplete);
  rig.mouse->Plug();
  rig.Refresh();
  buffer = Command(0x30, 0xA5, 0x2E);
  EXPECT_TRUE(rig.manager.SendCommand(buffer));
}

TEST(Transaction, StaleLateReplyIsReadByTheNextExchange) {
  // The firmware's behaviour after a late reply: the second attempt takes the
  // first answer, and the second answer waits for whoever reads next.
  Rig rig;
  rig.mouse->InjectFault(SimFault::LateReply);
  auto buffer = Command(0x30, 0xA5, 0x2E);
  EXPECT_TRUE(rig.manager.SendCommand(buffer));
  EXPECT_EQ(rig.mouse->PendingInputReports(), 1u);
  auto next = Command(0x0E, 0xA5, 0x2E);
  EXPECT_TRUE(rig.manager.SendCommand(next));
  EXPECT_EQ(next[1], 0x30);  // the stale battery reply: callers test the echo
}

TEST(InputReport, NotificationsAreReadFromTheCurrentDevice) {
  Rig rig;
  rig.mouse->PushBattery(150, 1);
  uint8_t buffer[21] = {};
  ASSERT_EQ(rig.manager.ReadInputReport(buffer, sizeof buffer, 1000), 21);
  EXPECT_EQ(buffer[1], 0xFA);
  EXPECT_EQ(buffer[8], 0xD0);
  EXPECT_EQ(buffer[9], 150);
  // Nothing waiting: the timeout passes on the clock and nothing is read.
  EXPECT_EQ(rig.manager.ReadInputReport(buffer, sizeof buffer, 1000), 0);
  EXPECT_EQ(rig.clock.Sleeps(), std::vector<uint32_t>{1000});
  // Without a connection there is nothing to wait for.
  rig.mouse->Unplug();
  rig.Refresh();
  EXPECT_EQ(rig.manager.ReadInputReport(buffer, sizeof buffer, 1000), 0);
  EXPECT_TRUE(rig.clock.Sleeps().empty());
}

// --- version texts ------------------------------------------------------------

TEST(VersionText, LengthByteDecidesTheText) {
  struct Case {
    const char* what;
    std::string firmware_text;
    std::string expected;
  };
  const Case cases[] = {
      {"plain", "1.0.5", "1.0.5"},
      {"length 25 gives 18 characters", "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQR"},
      {"length 0", "", "0.0.0"},
      {"a NUL ends the text", std::string("V1\0xyz", 6), "V1"},
      {"high bytes become valid UTF-8", "V\xE9", "V\xC3\xA9"},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.mouse->SetVersionTexts(c.firmware_text, "9.9.9");
    std::string text;
    EXPECT_TRUE(rig.manager.ReadVersionText(0, text)) << c.what;
    EXPECT_EQ(text, c.expected) << c.what;
  }
}

TEST(VersionText, EmptyFeatureReadsAreRetriedTenTimes) {
  Rig rig;
  rig.mouse->FailFeatureReads(3);
  std::string text;
  EXPECT_TRUE(rig.manager.ReadVersionText(0, text));
  EXPECT_EQ(text, "1.0.5");
  EXPECT_EQ(rig.clock.Sleeps(), (std::vector<uint32_t>{10, 10, 10}));

  rig.clock.ClearSleeps();
  rig.mouse->FailFeatureReads(10);
  EXPECT_TRUE(rig.manager.ReadVersionText(0, text));
  EXPECT_EQ(text, "0.0.0");
  EXPECT_EQ(rig.clock.Sleeps(), std::vector<uint32_t>(10, 10));
}

TEST(VersionText, ReceiverFieldAndRefusals) {
  Rig rig(sim::SimMode::Receiver);
  rig.mouse->SetVersionTexts("1.0.5", "2.3.4");
  std::string text;
  EXPECT_TRUE(rig.manager.ReadVersionText(1, text));
  EXPECT_EQ(text, "2.3.4");
  EXPECT_TRUE(rig.manager.ReadVersionText(0, text));
  EXPECT_EQ(text, "1.0.5");

  rig.manager.CloseAll();
  text = "old";
  EXPECT_FALSE(rig.manager.ReadVersionText(0, text));
  EXPECT_EQ(text, "0.0.0");
}

}  // namespace
}  // namespace zq
