#include "device/codec/Command.h"

namespace zq::codec {
namespace {

uint8_t Low(int v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

uint8_t ComputeChecksum(std::span<const uint8_t> buffer) {
  unsigned sum = 0;
  for (size_t i = At(4); i < buffer.size() && i < kReportSize; ++i) sum += buffer[i];
  return static_cast<uint8_t>(sum & 0xFF);
}

void ApplyChecksum(std::span<uint8_t> buffer) {
  if (buffer.size() > At(3)) buffer[At(3)] = ComputeChecksum(buffer);
}

CommandBuffer BuildCommand(uint8_t code, uint8_t access, uint8_t length, uint8_t profile_index) {
  CommandBuffer b{};
  b[At(0)] = kRequestMarker;
  b[At(1)] = code;
  b[At(2)] = access;
  b[At(4)] = length;
  b[At(7)] = profile_index;
  ApplyChecksum(b);
  return b;
}

bool IsAcknowledged(std::span<const uint8_t> reply) {
  return !reply.empty() && reply[0] == kAck;
}

bool IsReplyTo(std::span<const uint8_t> reply, uint8_t code) {
  return reply.size() >= 2 && reply[0] == kAck && reply[1] == code;
}

CommandBuffer BuildReadVersion() { return BuildCommand(kReadVersion, 0x00, 0, 0); }

CommandBuffer BuildReadButtonCodes(uint8_t profile_index) {
  return BuildCommand(kReadButtonCodes, 0xA5, 0x20, profile_index);
}

CommandBuffer BuildReadSettings(uint8_t profile_index) {
  return BuildCommand(kReadSettings, 0xA5, 0x2E, profile_index);
}

CommandBuffer BuildMacroComplete() { return BuildCommand(kMacroComplete, 0xA5, 0, 0); }

CommandBuffer BuildSetLightingMode(uint8_t profile_index, int mode) {
  CommandBuffer b = BuildCommand(kSetLightingMode, 0xA5, 3, profile_index);
  b[At(10)] = Low(mode);
  ApplyChecksum(b);
  return b;
}

CommandBuffer BuildSetDpiLevel(uint8_t profile_index, int dpi_index, int dpi) {
  // The length byte says 3 although the DPI value follows the level.
  CommandBuffer b = BuildCommand(kSetDpiLevel, 0xAE, 3, profile_index);
  b[At(10)] = Low(dpi_index + 1);
  b[At(11)] = Low(dpi);
  b[At(12)] = Low(dpi >> 8);
  ApplyChecksum(b);
  return b;
}

CommandBuffer BuildSetReportRate(uint8_t profile_index, int rate_code) {
  CommandBuffer b = BuildCommand(kSetReportRate, 0xAE, 3, profile_index);
  b[At(10)] = Low(rate_code);
  ApplyChecksum(b);
  return b;
}

CommandBuffer BuildReadBattery(uint8_t profile_index) {
  return BuildCommand(kReadBattery, 0xA5, 0x2E, profile_index);
}

}  // namespace zq::codec
