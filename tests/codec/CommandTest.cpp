#include "device/codec/Command.h"

#include <gtest/gtest.h>

#include "Bytes.h"

namespace zq::codec {
namespace {

using test::Bytes;
using test::Payload;

TEST(Checksum, SumsPayloadBytesFourToSixtyThree) {
  EXPECT_EQ(BuildReadBattery(0)[At(3)], 0x2E);
  EXPECT_EQ(BuildSetReportRate(0, 4)[At(3)], 0x07);
  CommandBuffer b{};
  for (size_t i = 0; i < b.size(); ++i) b[i] = 0xFF;
  // 60 bytes of 0xFF; the report id, marker, code, access and checksum are
  // not counted.
  EXPECT_EQ(ComputeChecksum(b), static_cast<uint8_t>(60 * 0xFF));
  ApplyChecksum(b);
  EXPECT_EQ(b[At(3)], static_cast<uint8_t>(60 * 0xFF));
  // Short buffers count what they have and are not written past.
  const uint8_t shorter[6] = {0, 0x55, 0x30, 0xA5, 0, 0x2E};
  EXPECT_EQ(ComputeChecksum(shorter), 0x2E);
  uint8_t tiny[3] = {1, 2, 3};
  ApplyChecksum(tiny);
  EXPECT_EQ(tiny[2], 3);
}

TEST(Commands, HeadersFollowTheCommandTable) {
  struct Case {
    CommandBuffer b;
    Bytes header;  // payload 0..7 with the checksum at 3 left out
  } cases[] = {
      {BuildReadVersion(), {0x55, 0x03, 0x00, 0x00, 0, 0, 0}},
      {BuildReadButtonCodes(5), {0x55, 0x08, 0xA5, 0x20, 0, 0, 5}},
      {BuildReadSettings(2), {0x55, 0x0E, 0xA5, 0x2E, 0, 0, 2}},
      {BuildMacroComplete(), {0x55, 0x10, 0xA5, 0x00, 0, 0, 0}},
      {BuildSetLightingMode(1, 3), {0x55, 0x21, 0xA5, 0x03, 0, 0, 1}},
      {BuildSetDpiLevel(4, 0, 800), {0x55, 0x22, 0xAE, 0x03, 0, 0, 4}},
      {BuildSetReportRate(0, 1), {0x55, 0x23, 0xAE, 0x03, 0, 0, 0}},
      {BuildReadBattery(3), {0x55, 0x30, 0xA5, 0x2E, 0, 0, 3}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.b[0], 0) << "report id";
    Bytes header = Payload(c.b, 0, 8);
    header.erase(header.begin() + 3);
    EXPECT_EQ(header, c.header) << std::hex << int(c.header[1]);
    EXPECT_EQ(c.b[At(3)], ComputeChecksum(c.b));
  }
}

TEST(Commands, SingleValuesSitAtOffsetTen) {
  EXPECT_EQ(Payload(BuildSetLightingMode(0, 6), 8, 4), (Bytes{0, 0, 6, 0}));
  EXPECT_EQ(Payload(BuildSetReportRate(0, 4), 8, 4), (Bytes{0, 0, 4, 0}));
  EXPECT_EQ(Payload(BuildSetDpiLevel(0, 3, 1600), 8, 6), (Bytes{0, 0, 4, 0x40, 0x06, 0}));
}

TEST(Replies, AcknowledgementAndEcho) {
  const uint8_t ack[] = {0xAA, 0x0E};
  const uint8_t other_echo[] = {0xAA, 0x0F};
  const uint8_t nak[] = {0x55, 0x0E};
  EXPECT_TRUE(IsReplyTo(ack, kReadSettings));
  EXPECT_TRUE(IsAcknowledged(other_echo));
  EXPECT_FALSE(IsReplyTo(other_echo, kReadSettings));
  EXPECT_FALSE(IsAcknowledged(nak));
  EXPECT_FALSE(IsAcknowledged(std::span<const uint8_t>()));
  EXPECT_FALSE(IsReplyTo(std::span<const uint8_t>(ack, 1), kReadSettings));
}

}  // namespace
}  // namespace zq::codec
