// The replies a read can get, failed exchanges, the single-value commands on
// the wire, the version fields and Bluetooth.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "OpsRig.h"
#include "device/codec/SettingsBlock.h"
#include "sim/FirmwareDecoders.h"

namespace zq::test {
namespace {

using Block = sim::SimulatedMouse::Block;

// Block index of a reply byte (the block starts at reply byte 8).
constexpr size_t B(size_t reply_byte) { return reply_byte - 8; }

struct SettingsCase {
  const char* name;
  std::function<void(Block&)> edit;
  std::vector<int> requests;  // command codes that reach the mouse
};

class ReadSettingsTest : public OpsTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(ReadSettingsTest, ChangesNothingInTheStore) {
  const SettingsCase& c = GetParam();
  Block block = mouse_->SettingsBlock(2);
  c.edit(block);
  mouse_->SetSettingsBlock(2, block);
  current_profile_ = 1;  // the operation works on the profile it is given
  const StoreSnapshot before = Snapshot();

  EXPECT_TRUE(ops_.ReadSettingsBlock(3));

  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(RequestCodes(), c.requests);
  if (c.requests.size() == 2) {
    // The blank profile took what the store holds.
    codec::SettingsValues values;
    for (const auto& key : codec::SettingsBlockKeys()) values[key] = Config(3, key);
    const codec::SettingsBlock packed = codec::PackSettingsBlock(2, values);
    const Block now = mouse_->SettingsBlock(2);
    EXPECT_TRUE(std::equal(now.begin(), now.end(), packed.begin()));
    EXPECT_EQ(sim::DecodeSettingsBlock(now).levels[0].dpi, 1200);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadSettingsTest,
    ::testing::Values(
        SettingsCase{"NoLightingRateOrCount",
                     [](Block& b) { b[B(9)] = b[B(10)] = b[B(11)] = 0; },
                     {0x0E}},
        // Zero bytes 9..11 win over a blank DPI value: still nothing written.
        SettingsCase{"ZeroAndBlankDpi",
                     [](Block& b) {
                       b.fill(0x77);
                       b[B(9)] = b[B(10)] = b[B(11)] = 0;
                       b[B(13)] = b[B(14)] = b[B(15)] = 0xFF;
                     },
                     {0x0E}},
        SettingsCase{"BlankProfile", [](Block& b) { b.fill(0xFF); }, {0x0E, 0x0F}},
        SettingsCase{"BlankDpiOnly",
                     [](Block& b) { b[B(13)] = b[B(14)] = b[B(15)] = 0xFF; },
                     {0x0E, 0x0F}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpsTest, ReadSettingsKeepsOutOfRangeDpiAndLimitsTheLevel) {
  Block block = mouse_->SettingsBlock(0);
  block[B(12)] = 9;                                 // level beyond six
  block[B(13)] = 30, block[B(14)] = 0;              // level 0: 30 DPI
  block[B(15)] = 0x30, block[B(16)] = 0x75;         // level 1: 30000 DPI
  block[B(17)] = 0x90, block[B(18)] = 0x65;         // level 2: 26000 DPI
  block[B(50)] = 0x31;
  mouse_->SetSettingsBlock(0, block);

  EXPECT_TRUE(ops_.ReadSettingsBlock(1));
  EXPECT_EQ(Config(1, "dpi_group0_value"), "1200");
  EXPECT_EQ(Config(1, "dpi_group1_value"), "2400");
  EXPECT_EQ(Config(1, "dpi_group2_value"), "26000");
  EXPECT_EQ(Config(1, "dpi_index"), "5");
  EXPECT_EQ(Config(1, "sensor_flag"), "28");

  block[B(12)] = 0;
  mouse_->SetSettingsBlock(0, block);
  EXPECT_TRUE(ops_.ReadSettingsBlock(1));
  EXPECT_EQ(Config(1, "dpi_index"), "0");
}

// --- failed exchanges ------------------------------------------------------------

struct FaultCase {
  const char* name;
  sim::SimFault fault;
};

class FaultTest : public OpsTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  void SetUp() override {
    OpsTest::SetUp();
    // The mouse holds something else than the store, so a read that went
    // through would show.
    Block block = mouse_->SettingsBlock(0);
    block[1] = 5;
    block[4] = 6;
    mouse_->SetSettingsBlock(0, block);
    auto keys = mouse_->KeyCodesOf(0);
    keys[4] = 0x50, keys[5] = 0x07;
    mouse_->SetKeyCodes(0, keys);
  }
  // Every attempt of the transaction meets the fault (a fault an exchange
  // did not use is dropped, so that it cannot reach the next one).
  void Inject() {
    mouse_->ClearFaults();
    mouse_->InjectFault(GetParam().fault, 3);
  }
};

TEST_P(FaultTest, ReadsReturnFalseAndChangeNothing) {
  const StoreSnapshot before = Snapshot();
  Inject();
  EXPECT_FALSE(ops_.ReadSettingsBlock(1));
  Inject();
  EXPECT_FALSE(ops_.ReadButtonCodes(1));
  Inject();
  EXPECT_FALSE(ops_.ReadBattery());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(effects_.Log().empty());
  // A blank profile whose read failed is not overwritten either.
  mouse_->BlankProfile(1);
  mouse_->ClearRequests();
  Inject();
  EXPECT_FALSE(ops_.ReadSettingsBlock(2));
  for (int code : RequestCodes()) EXPECT_EQ(code, 0x0E);
}

TEST_P(FaultTest, WritesReturnFalse) {
  Inject();
  EXPECT_FALSE(ops_.WriteSettingsBlock(1));
  Inject();
  EXPECT_FALSE(ops_.WriteDpiLevel(1));
  Inject();
  EXPECT_FALSE(ops_.WriteLightingMode(2));
  Inject();
  EXPECT_FALSE(ops_.WriteButtonCodes(1));
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest,
                         ::testing::Values(FaultCase{"Nak", sim::SimFault::Nak},
                                           FaultCase{"NoReply", sim::SimFault::NoReply},
                                           FaultCase{"Garbage", sim::SimFault::Garbage},
                                           FaultCase{"WriteFailure", sim::SimFault::WriteFailure},
                                           FaultCase{"Unplugged",
                                                     sim::SimFault::UnplugMidTransaction}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpsTest, ReadAnsweredForAnotherCommandStoresNothing) {
  auto keys = mouse_->KeyCodesOf(0);
  keys[4] = 0x50, keys[5] = 0x07;
  mouse_->SetKeyCodes(0, keys);
  const StoreSnapshot before = Snapshot();
  mouse_->InjectFault(sim::SimFault::WrongEcho, 3);
  EXPECT_FALSE(ops_.ReadButtonCodes(1));
  mouse_->InjectFault(sim::SimFault::WrongEcho, 3);
  EXPECT_FALSE(ops_.ReadSettingsBlock(1));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(OpsTest, MacroImageWithALostChunkIsSentWholeAndReportedIncomplete) {
  const int id = store_.CreateMacro("m");
  std::vector<MacroRecord> items(20);
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].macro_id = id;
    items[i].type = 2;  // key down
    items[i].value = 65;
    items[i].record_index = static_cast<int>(i);
  }
  ASSERT_TRUE(store_.AddMacroRecords(items));
  // 64 + 80 bytes: chunks of 56, 56 and 32, then the completion. Both
  // writes of the first chunk fail.
  mouse_->InjectFault(sim::SimFault::WriteFailure, 2);
  EXPECT_FALSE(ops_.WriteMacroImage());
  EXPECT_EQ(RequestCodes(), (std::vector<int>{0x0D, 0x0D, 0x10}));
  const std::vector<uint8_t> image = mouse_->MacroImage();
  EXPECT_TRUE(std::all_of(image.begin(), image.begin() + 56, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(image[64 + 4 * 19 + 2], 0xC2);  // the last event arrived with its end mark
  EXPECT_EQ(mouse_->MacroCompleteCount(), 1);
}

// --- the single-value commands on the wire -------------------------------------

TEST_F(OpsTest, SingleValueCommandsCarryTheStoredValues) {
  SetConfig(3, {{"dpi_index", "3"}, {"dpi_group3_value", "1600"}, {"report_rate", "2"}});
  current_profile_ = 3;
  EXPECT_TRUE(ops_.WriteDpiLevel(3));
  EXPECT_TRUE(ops_.WriteReportRate(3));
  EXPECT_TRUE(ops_.WriteLightingMode(5));
  const auto requests = mouse_->Requests();
  ASSERT_EQ(requests.size(), 3u);
  using Bytes = std::vector<uint8_t>;
  auto head = [](const sim::SimulatedMouse::Report& r) { return Bytes(r.begin(), r.begin() + 13); };
  // marker, code, access, checksum, length, 0, 0, profile index, 0, 0, data
  EXPECT_EQ(head(requests[0]), (Bytes{0x55, 0x22, 0xAE, 0x4F, 3, 0, 0, 2, 0, 0, 4, 0x40, 0x06}));
  EXPECT_EQ(head(requests[1]), (Bytes{0x55, 0x23, 0xAE, 0x07, 3, 0, 0, 2, 0, 0, 2, 0, 0}));
  EXPECT_EQ(head(requests[2]), (Bytes{0x55, 0x21, 0xA5, 0x0A, 3, 0, 0, 2, 0, 0, 5, 0, 0}));
  EXPECT_EQ(mouse_->ActiveDpiLevel(), 4);
  EXPECT_EQ(mouse_->ActiveDpiValue(), 1600);
  EXPECT_EQ(mouse_->ReportRate(), 2);
  EXPECT_EQ(mouse_->LightingMode(), 5);
  EXPECT_EQ(sim::DecodeSettingsBlock(mouse_->SettingsBlock(2)).lighting_mode, 5);
}

TEST_F(OpsTest, BatteryReadShowsAtMostAFullBattery) {
  mouse_->SetBattery(150, 1);
  EXPECT_TRUE(ops_.ReadBattery());
  // The state byte is the mouse's; a level beyond 100 is shown as full.
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"battery 100 1"}));
}

// --- versions -------------------------------------------------------------------------

struct VersionCase {
  const char* name;
  sim::SimMode mode;
  const char* receiver;  // field B
};

class VersionTest : public OpsTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, FieldsFollowTheConnection) {
  mouse_->Unplug();
  mouse_->SetVersionTexts("1.0.7", "3.1.4");
  mouse_->SetFirmwareDigits("2A9");
  Connect(GetParam().mode);
  ops_.ShowVersionTexts();
  ops_.ShowVersionCommand();
  const std::string b = GetParam().receiver;
  EXPECT_EQ(effects_.Log(),
            (std::vector<std::string>{"versions 1.0.7 " + b, "versions 2.0.9 " + b}));
  EXPECT_EQ(ops_.FirstVersion(), "2.0.9");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VersionTest,
    ::testing::Values(VersionCase{"Cable", sim::SimMode::Cable, "0.0.0"},
                      VersionCase{"Receiver", sim::SimMode::Receiver, "3.1.4"},
                      VersionCase{"SecondReceiver", sim::SimMode::SecondReceiver, "3.1.4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpsTest, VersionCommandWithoutReplyKeepsTheFeatureText) {
  mouse_->SetVersionTexts("1.0.7", "3.1.4");
  ops_.ShowVersionTexts();
  mouse_->InjectFault(sim::SimFault::NoReply, 3);
  ops_.ShowVersionCommand();
  EXPECT_EQ(ops_.FirstVersion(), "1.0.7");
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"versions 1.0.7 0.0.0"}));
}

TEST_F(OpsTest, NothingReachesTheMouseOverBluetooth) {
  mouse_->Unplug();
  Connect(sim::SimMode::Bluetooth);
  ASSERT_EQ(manager_.ConnectionMode(), kModeBluetooth);
  mouse_->SetBattery(40, 0);
  const StoreSnapshot before = Snapshot();

  EXPECT_FALSE(ops_.ReadBattery());
  EXPECT_FALSE(ops_.ReadSettingsBlock(1));
  EXPECT_FALSE(ops_.ReadButtonCodes(1));
  EXPECT_FALSE(ops_.WriteSettingsBlock(1));
  EXPECT_FALSE(ops_.WriteDpiLevel(1));
  EXPECT_FALSE(ops_.WriteReportRate(1));
  EXPECT_FALSE(ops_.WriteLightingMode(2));
  EXPECT_FALSE(ops_.WriteButtonCodes(1));
  EXPECT_FALSE(ops_.WriteMacroImage());
  EXPECT_FALSE(ops_.PollNotification());
  ops_.ShowVersionTexts();
  ops_.ShowVersionCommand();

  EXPECT_EQ(mouse_->RequestCount(), 0u);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(effects_.Log(), (std::vector<std::string>{"versions 0.0.0 0.0.0"}));
}

TEST_F(OpsTest, ProfilesTheMouseDoesNotKeepAreRefused) {
  for (int profile : {0, 7, -1}) {
    EXPECT_FALSE(ops_.ReadSettingsBlock(profile));
    EXPECT_FALSE(ops_.WriteButtonCodes(profile));
    EXPECT_FALSE(ops_.ReadButtonCodes(profile));
  }
  current_profile_ = 0;
  EXPECT_FALSE(ops_.WriteLightingMode(1));
  EXPECT_FALSE(ops_.ReadBattery());
  EXPECT_EQ(mouse_->RequestCount(), 0u);
}

}  // namespace
}  // namespace zq::test
