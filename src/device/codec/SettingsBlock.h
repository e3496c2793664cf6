#pragma once
// The 46-byte settings block of one profile (payload offsets 8..53 of the
// settings read 0x0E and write 0x0F), packed from and unpacked into the
// profile's configuration key texts.

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/codec/Command.h"

namespace zq::codec {

// Configuration key name -> stored decimal text. A missing key reads as 0.
using SettingsValues = std::map<std::string, std::string>;

inline constexpr size_t kSettingsBlockSize = 46;
using SettingsBlock = std::array<uint8_t, kSettingsBlockSize>;  // [0] is payload offset 8

inline constexpr int kMinDpi = 50;
inline constexpr int kMaxDpi = 26000;
inline constexpr int kDpiLevels = 6;

// The keys the block is packed from, for reading them from the store.
const std::vector<std::string>& SettingsBlockKeys();

// "dpi_group%d_value" / "dpi_group%d_rgb".
std::string DpiValueKey(int level);
std::string DpiColourKey(int level);

// Device sensor byte <-> sensor_flag: 0x04 <-> 0x10, 0x08 <-> 0x01,
// 0x10 <-> 0x20; other bits are not carried.
uint8_t SensorFlagToDevice(int sensor_flag);
int SensorFlagFromDevice(uint8_t device_bits);

SettingsBlock PackSettingsBlock(uint8_t profile_index, const SettingsValues& values);
CommandBuffer BuildWriteSettings(uint8_t profile_index, const SettingsValues& values);  // 0x0F

// What a settings read (0x0E) reply asks of the store.
enum class SettingsReplyKind {
  Ignored,     // no acknowledgement, wrong echo or a short reply: change nothing
  Empty,       // bytes 9..11 all zero: change nothing
  NoSettings,  // bytes 13..15 all 0xFF: the mouse holds nothing for this profile;
               // write the stored block instead, store nothing
  Values,      // store `values`, in order
};

struct SettingsReply {
  SettingsReplyKind kind = SettingsReplyKind::Ignored;
  // Key and decimal text, in the order they are to be stored. DPI values
  // outside 50..26000 are left out (the key keeps its text); colours are
  // never read back.
  std::vector<std::pair<std::string, std::string>> values;
};

SettingsReply UnpackSettingsReply(std::span<const uint8_t> reply);

// Command 0x22 from the keys: level dpi_index + 1 and that level's value,
// without the range test of the block.
CommandBuffer BuildSetDpiLevel(uint8_t profile_index, const SettingsValues& values);
// Command 0x23 from report_rate.
CommandBuffer BuildSetReportRate(uint8_t profile_index, const SettingsValues& values);

}  // namespace zq::codec
