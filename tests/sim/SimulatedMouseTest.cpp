// The simulated mouse as the host sees it through the HID seam: raw reports
// in, raw reports out, and the storage they change.

#include <gtest/gtest.h>

#include <memory>

#include "sim/SimBackend.h"
#include "sim/SimulatedMouse.h"

namespace zq::sim {
namespace {

using Report = std::array<uint8_t, 65>;

Report Request(uint8_t code, uint8_t access, uint8_t length, uint8_t profile = 0) {
  Report r{};
  r[1] = 0x55;
  r[2] = code;
  r[3] = access;
  r[5] = length;
  r[8] = profile;
  return r;
}

void Seal(Report& r) {
  unsigned sum = 0;
  for (int i = 5; i < 65; ++i) sum += r[i];
  r[4] = static_cast<uint8_t>(sum);
}

class SimFixture : public ::testing::Test {
 protected:
  SimFixture()
      : mouse_(std::make_shared<SimulatedMouse>(clock_)), backend_(mouse_) {}

  void SetUp() override { Connect(SimMode::Cable); }

  void Connect(SimMode mode) {
    connection_.reset();
    mouse_->SetMode(mode);
    mouse_->Plug();
    for (const HidDeviceInfo& info : backend_.Enumerate()) {
      if (info.usage_page >= 0xFF00) connection_ = backend_.Open(info.path);
    }
  }

  // Sends a sealed request and returns the reply (empty when none came).
  std::vector<uint8_t> Exchange(Report request, bool seal = true) {
    if (seal) Seal(request);
    EXPECT_EQ(connection_->Write(request.data(), request.size()), 65);
    uint8_t in[65] = {};
    int n = connection_->ReadTimeout(in, sizeof in, 1000);
    return n > 0 ? std::vector<uint8_t>(in, in + n) : std::vector<uint8_t>();
  }

  VirtualClock clock_;
  std::shared_ptr<SimulatedMouse> mouse_;
  SimBackend backend_;
  std::unique_ptr<HidConnection> connection_;
};

TEST_F(SimFixture, SilentOnBadChecksumAndUnknownCommands) {
  Report bad = Request(0x30, 0xA5, 0x2E);
  Seal(bad);
  bad[4] ^= 0x01;
  EXPECT_TRUE(Exchange(bad, false).empty());
  EXPECT_TRUE(Exchange(Request(0x77, 0xA5, 0)).empty());
  Report stray{};  // no request marker
  EXPECT_TRUE(Exchange(stray).empty());
  // Each silence cost a full read timeout on the clock.
  EXPECT_EQ(clock_.SleptMs(), 3000u);
  EXPECT_EQ(mouse_->RequestCount(), 3u);
}

TEST_F(SimFixture, AnswersWithMarkerEchoAndData) {
  mouse_->SetFirmwareDigits("209");
  auto reply = Exchange(Request(0x03, 0x00, 0));
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[0], 0xAA);
  EXPECT_EQ(reply[1], 0x03);
  EXPECT_EQ(reply[23], '2');
  EXPECT_EQ(reply[24], '0');
  EXPECT_EQ(reply[25], '9');
}

TEST_F(SimFixture, SettingsBlockRoundTripAndBlankProfiles) {
  Report write = Request(0x0F, 0xAE, 0x2E, 3);
  for (int i = 0; i < 46; ++i) write[9 + i] = static_cast<uint8_t>(i + 1);
  ASSERT_EQ(Exchange(write)[0], 0xAA);
  auto block = mouse_->SettingsBlock(3);
  EXPECT_EQ(block[0], 1);
  EXPECT_EQ(block[45], 46);

  auto read = Exchange(Request(0x0E, 0xA5, 0x2E, 3));
  ASSERT_EQ(read.size(), 64u);
  for (int i = 0; i < 46; ++i) EXPECT_EQ(read[8 + i], i + 1);

  mouse_->BlankProfile(5);
  read = Exchange(Request(0x0E, 0xA5, 0x2E, 5));
  EXPECT_EQ(read[8 + 5], 0xFF);
  EXPECT_EQ(read[8 + 7], 0xFF);
  EXPECT_TRUE(mouse_->ProfileBlank(5));

  // A seventh profile does not exist: refused, nothing stored.
  EXPECT_EQ(Exchange(Request(0x0F, 0xAE, 0x2E, 6))[0], SimulatedMouse::kNak);
}

TEST_F(SimFixture, KeyCodesWriteEightSlotsAndReadNine) {
  auto before = mouse_->KeyCodesOf(1);
  Report write = Request(0x09, 0xA5, 0x20, 1);
  for (int i = 0; i < 32; ++i) write[9 + i] = 0x40 + i;
  ASSERT_EQ(Exchange(write)[0], 0xAA);
  auto read = Exchange(Request(0x08, 0xA5, 0x20, 1));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(read[8 + i], 0x40 + i);
  for (int i = 32; i < 36; ++i) EXPECT_EQ(read[8 + i], before[i]);  // slot 8 kept
  EXPECT_EQ(mouse_->KeyCodesOf(0), before);  // another profile untouched
}

TEST_F(SimFixture, MacroChunksLandAtTheirOffsetAndStayInTheImage) {
  Report chunk = Request(0x0D, 0x00, 56);
  chunk[6] = 0x38;  // offset 56
  for (int i = 0; i < 56; ++i) chunk[9 + i] = static_cast<uint8_t>(0x80 + i);
  ASSERT_EQ(Exchange(chunk)[0], 0xAA);
  auto image = mouse_->MacroImage();
  EXPECT_EQ(image[55], 0);
  EXPECT_EQ(image[56], 0x80);
  EXPECT_EQ(image[111], 0x80 + 55);

  Report past = Request(0x0D, 0x00, 56);
  past[6] = 0x60;  // 4192 + 56 runs past 4224
  past[7] = 0x10;
  EXPECT_EQ(Exchange(past)[0], SimulatedMouse::kNak);
  EXPECT_EQ(mouse_->MacroImage(), image);

  EXPECT_EQ(Exchange(Request(0x10, 0xA5, 0))[0], 0xAA);
  EXPECT_EQ(mouse_->MacroCompleteCount(), 1);
}

TEST_F(SimFixture, SingleValueCommandsChangeTheActiveState) {
  Report dpi = Request(0x22, 0xAE, 3, 0);
  dpi[11] = 4;
  dpi[12] = 0x40;
  dpi[13] = 0x06;
  EXPECT_EQ(Exchange(dpi)[0], 0xAA);
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 4);
  EXPECT_EQ(mouse_->ActiveDpiValue(), 1600);

  Report rate = Request(0x23, 0xAE, 3, 0);
  rate[11] = 2;
  EXPECT_EQ(Exchange(rate)[0], 0xAA);
  EXPECT_EQ(mouse_->ReportRate(), 2);
  rate[11] = 9;
  EXPECT_EQ(Exchange(rate)[0], SimulatedMouse::kNak);
  EXPECT_EQ(mouse_->ReportRate(), 2);

  Report light = Request(0x21, 0xA5, 3, 0);
  light[11] = 5;
  EXPECT_EQ(Exchange(light)[0], 0xAA);
  EXPECT_EQ(mouse_->LightingMode(), 5);
}

TEST_F(SimFixture, InterfacesOfEachMode) {
  struct Case {
    SimMode mode;
    uint16_t pid;
    uint16_t page;
    uint16_t usage;
  };
  const Case cases[] = {{SimMode::Cable, 0x5701, 0xFF01, 0x10},
                        {SimMode::Receiver, 0x5702, 0xFF0A, 0x01},
                        {SimMode::SecondReceiver, 0x5703, 0xFF0A, 0x01}};
  for (const Case& c : cases) {
    mouse_->SetMode(c.mode);
    auto list = backend_.Enumerate();
    ASSERT_EQ(list.size(), 3u);
    int command = 0;
    for (const auto& info : list) {
      EXPECT_EQ(info.vendor_id, 0xFFF7);
      EXPECT_EQ(info.product_id, c.pid);
      if (info.usage_page == c.page && info.usage == c.usage) ++command;
    }
    EXPECT_EQ(command, 1);
  }
  mouse_->SetMode(SimMode::Bluetooth);
  auto list = backend_.Enumerate();
  ASSERT_EQ(list.size(), 1u);
  std::string upper;
  for (char ch : list[0].path) upper += static_cast<char>(std::toupper(ch));
  EXPECT_NE(upper.find("00001812-0000-1000-8000-00805F9B34FB"), std::string::npos);
  EXPECT_NE(upper.find("KBD"), std::string::npos);
  EXPECT_EQ(list[0].bus, HidBus::Bluetooth);
}

TEST_F(SimFixture, PlugUnplugAndModeSwitchRaiseEvents) {
  std::vector<DeviceEvent> events;
  mouse_->SetEventListener([&](const DeviceEvent& e) { events.push_back(e); });
  mouse_->SetMode(SimMode::Receiver);  // three interfaces leave, three arrive
  ASSERT_EQ(events.size(), 6u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(events[i].code, kDeviceRemoveComplete);
  for (int i = 3; i < 6; ++i) {
    EXPECT_EQ(events[i].code, kDeviceArrival);
    EXPECT_NE(events[i].interface_name.find("FFF7:5702"), std::string::npos);
  }
  // The old connection is gone with the cable interfaces.
  uint8_t buffer[65] = {};
  EXPECT_EQ(connection_->Write(buffer, sizeof buffer), -1);
  EXPECT_EQ(connection_->ReadTimeout(buffer, sizeof buffer, 1000), -1);

  events.clear();
  mouse_->Unplug();
  EXPECT_EQ(events.size(), 3u);
  EXPECT_TRUE(backend_.Enumerate().empty());
  events.clear();
  mouse_->Plug();
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(SimFixture, ReceiverReportsTheMouseOnlineBit) {
  Connect(SimMode::Receiver);
  for (bool on : {true, false}) {
    mouse_->SetMouseOn(on);
    Report q{};
    q[1] = 0x01;
    q[3] = 0x81;
    q[4] = 0x01;
    q[64] = 0x1E;
    auto reply = Exchange(q, false);
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[2], 0x8C);
    EXPECT_EQ((reply[4] & 0x08) != 0, on);
  }
  // With the mouse off, commands die at the receiver.
  EXPECT_TRUE(Exchange(Request(0x30, 0xA5, 0x2E)).empty());
  EXPECT_FALSE(mouse_->PushBattery(10, 0));
}

TEST_F(SimFixture, NotificationsQueueInOrder) {
  EXPECT_TRUE(mouse_->PushDpiButton(3, 2));
  EXPECT_TRUE(mouse_->PushLightingChange(4));
  EXPECT_TRUE(mouse_->PushEmoji(0x50, 7));
  EXPECT_TRUE(mouse_->PushBattery(55, 1));
  EXPECT_TRUE(mouse_->PushDpiRequest());
  const uint8_t events[][3] = {{0x10, 3, 2}, {0x11, 4, 0}, {0x50, 7, 0}, {0xD0, 55, 1},
                               {0x10, 0xFF, 2}};
  for (const auto& e : events) {
    uint8_t in[21] = {};
    ASSERT_EQ(connection_->ReadTimeout(in, sizeof in, 1000), 21);
    EXPECT_EQ(in[0], 0xAA);
    EXPECT_EQ(in[1], 0xFA);
    EXPECT_EQ(in[8], e[0]);
    EXPECT_EQ(in[9], e[1]);
    EXPECT_EQ(in[10], e[2]);
  }
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 3);
  EXPECT_EQ(mouse_->BatteryLevel(), 55);
  EXPECT_EQ(clock_.SleptMs(), 0u);
}

TEST_F(SimFixture, ButtonPressReachesTheHandlerWithItsCode) {
  int seen_slot = -1;
  std::array<uint8_t, 4> seen_code{};
  mouse_->SetButtonHandler([&](SimulatedMouse&, int slot, int, std::array<uint8_t, 4> code) {
    seen_slot = slot;
    seen_code = code;
  });
  mouse_->PressButton(5, 0);
  EXPECT_EQ(seen_slot, 5);
  EXPECT_EQ(seen_code, (std::array<uint8_t, 4>{0x21, 0x55, 0, 0}));
  mouse_->PressButton(9, 0);  // no such slot
  EXPECT_EQ(seen_slot, 5);
}

}  // namespace
}  // namespace zq::sim
