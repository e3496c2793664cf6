#pragma once
// Command reports of the mouse's vendor interface: a 65-byte output report
// (report id 0, then a 64-byte payload) per command. Payload layout:
//   0 request marker 0x55, 1 command code, 2 access byte, 3 checksum,
//   4 data length, 5-6 command bytes (image offset of 0x0D), 7 profile index,
//   8-63 data.
// Replies come without report id: reply byte k is buffer byte k, 0xAA at 0
// acknowledges and byte 1 echoes the command.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zq::codec {

inline constexpr size_t kReportSize = 65;   // report id + payload
inline constexpr size_t kPayloadSize = 64;
inline constexpr size_t kDataOffset = 8;    // payload offset of the data
inline constexpr size_t kDataSize = 56;

inline constexpr uint8_t kRequestMarker = 0x55;
inline constexpr uint8_t kAck = 0xAA;

enum Command : uint8_t {
  kReadVersion = 0x03,
  kReadButtonCodes = 0x08,
  kWriteButtonCodes = 0x09,
  kWriteMacroChunk = 0x0D,
  kReadSettings = 0x0E,
  kWriteSettings = 0x0F,
  kMacroComplete = 0x10,
  kSetLightingMode = 0x21,
  kSetDpiLevel = 0x22,
  kSetReportRate = 0x23,
  kReadBattery = 0x30,
};

using CommandBuffer = std::array<uint8_t, kReportSize>;

// Buffer index of a payload offset.
constexpr size_t At(size_t payload_offset) { return payload_offset + 1; }

// Sum of payload bytes 4..63 (buffer bytes 5..64) modulo 256. Buffers shorter
// than a report count the bytes they have.
uint8_t ComputeChecksum(std::span<const uint8_t> buffer);
// Stores ComputeChecksum at payload offset 3.
void ApplyChecksum(std::span<uint8_t> buffer);

// A zeroed report with marker, code, access byte, length and profile index,
// checksum applied. Every builder below starts from it.
CommandBuffer BuildCommand(uint8_t code, uint8_t access, uint8_t length, uint8_t profile_index);

// Whether a reply acknowledges (byte 0 is 0xAA) and, for the reads that test
// it, echoes `code` at byte 1.
bool IsAcknowledged(std::span<const uint8_t> reply);
bool IsReplyTo(std::span<const uint8_t> reply, uint8_t code);

CommandBuffer BuildReadVersion();                                         // 0x03
CommandBuffer BuildReadButtonCodes(uint8_t profile_index);                // 0x08
CommandBuffer BuildReadSettings(uint8_t profile_index);                   // 0x0E
CommandBuffer BuildMacroComplete();                                       // 0x10
CommandBuffer BuildSetLightingMode(uint8_t profile_index, int mode);      // 0x21
CommandBuffer BuildSetDpiLevel(uint8_t profile_index, int dpi_index, int dpi);  // 0x22
CommandBuffer BuildSetReportRate(uint8_t profile_index, int rate_code);   // 0x23
CommandBuffer BuildReadBattery(uint8_t profile_index);                    // 0x30

}  // namespace zq::codec
