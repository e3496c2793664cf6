#include "device/codec/SettingsBlock.h"

#include <algorithm>

#include "platform/Text.h"

namespace zq::codec {
namespace {

// Block index of a payload offset.
constexpr size_t B(size_t payload_offset) { return payload_offset - kDataOffset; }

uint8_t Low(int v) { return static_cast<uint8_t>(v & 0xFF); }

int ValueOf(const SettingsValues& values, const std::string& key) {
  auto it = values.find(key);
  return it == values.end() ? 0 : ParseDecimal(it->second);
}

// Keys sent unchanged, with their payload offsets.
struct PlainKey {
  const char* key;
  size_t offset;
};
const PlainKey kTailKeys[] = {
    {"scroll_flag", 48},        {"liftoff_height", 49}, {"button_respondtime", 51},
    {"sleep_light", 52},        {"e-sports_flag", 53},
};

}  // namespace

std::string DpiValueKey(int level) {
  std::string key = "dpi_group";
  return key.append(FormatInt(level)).append("_value");
}
std::string DpiColourKey(int level) {
  std::string key = "dpi_group";
  return key.append(FormatInt(level)).append("_rgb");
}

const std::vector<std::string>& SettingsBlockKeys() {
  static const std::vector<std::string> kKeys = [] {
    std::vector<std::string> k = {"light_mode", "report_rate", "dpi_flag", "dpi_count",
                                  "dpi_index"};
    for (int i = 0; i < kDpiLevels; ++i) k.push_back(DpiValueKey(i));
    for (int i = 0; i < kDpiLevels; ++i) k.push_back(DpiColourKey(i));
    for (const char* key : {"scroll_flag", "liftoff_height", "sensor_flag", "button_respondtime",
                            "sleep_light", "e-sports_flag"})
      k.push_back(key);
    return k;
  }();
  return kKeys;
}

uint8_t SensorFlagToDevice(int flag) {
  uint8_t bits = 0;
  if (flag & 0x04) bits |= 0x10;
  if (flag & 0x08) bits |= 0x01;
  if (flag & 0x10) bits |= 0x20;
  return bits;
}

int SensorFlagFromDevice(uint8_t bits) {
  int flag = 0;
  if (bits & 0x10) flag |= 0x04;
  if (bits & 0x01) flag |= 0x08;
  if (bits & 0x20) flag |= 0x10;
  return flag;
}

SettingsBlock PackSettingsBlock(uint8_t profile_index, const SettingsValues& v) {
  SettingsBlock b{};
  b[B(8)] = profile_index;
  b[B(9)] = Low(ValueOf(v, "light_mode"));
  b[B(10)] = Low(ValueOf(v, "report_rate"));
  b[B(11)] = 6;  // the mouse always gets six levels; the stored dpi_flag is not sent
  b[B(12)] = Low(ValueOf(v, "dpi_index") + 1);
  for (int i = 0; i < kDpiLevels; ++i) {
    const int dpi = ValueOf(v, DpiValueKey(i));
    if (dpi < kMinDpi || dpi > kMaxDpi) continue;  // an impossible value goes out as 0
    b[B(13) + 2 * i] = Low(dpi);
    b[B(14) + 2 * i] = Low(dpi >> 8);
  }
  for (int i = 0; i < kDpiLevels; ++i) {
    // Stored as a Windows colour 0x00BBGGRR; the mouse wants red, green, blue.
    const int colour = ValueOf(v, DpiColourKey(i));
    b[B(25) + 3 * i] = Low(colour);
    b[B(26) + 3 * i] = Low(colour >> 8);
    b[B(27) + 3 * i] = Low(colour >> 16);
  }
  for (const PlainKey& k : kTailKeys) b[B(k.offset)] = Low(ValueOf(v, k.key));
  b[B(50)] = SensorFlagToDevice(ValueOf(v, "sensor_flag"));
  return b;
}

CommandBuffer BuildWriteSettings(uint8_t profile_index, const SettingsValues& values) {
  CommandBuffer buf = BuildCommand(kWriteSettings, 0xAE, 0x2E, profile_index);
  const SettingsBlock block = PackSettingsBlock(profile_index, values);
  std::copy(block.begin(), block.end(), buf.begin() + At(kDataOffset));
  ApplyChecksum(buf);
  return buf;
}

SettingsReply UnpackSettingsReply(std::span<const uint8_t> r) {
  SettingsReply out;
  if (r.size() < 54 || !IsReplyTo(r, kReadSettings)) return out;
  if (r[9] == 0 && r[10] == 0 && r[11] == 0) {
    out.kind = SettingsReplyKind::Empty;
    return out;
  }
  if (r[13] == 0xFF && r[14] == 0xFF && r[15] == 0xFF) {
    out.kind = SettingsReplyKind::NoSettings;
    return out;
  }
  out.kind = SettingsReplyKind::Values;
  auto put = [&out](const std::string& key, int value) {
    out.values.emplace_back(key, FormatInt(value));
  };
  put("light_mode", r[9]);
  put("report_rate", r[10]);
  put("dpi_flag", r[11]);
  put("dpi_count", r[11]);
  put("dpi_index", std::clamp(static_cast<int>(r[12]) - 1, 0, kDpiLevels - 1));
  for (int i = 0; i < kDpiLevels; ++i) {
    const int dpi = r[13 + 2 * i] | (r[14 + 2 * i] << 8);
    if (dpi >= kMinDpi && dpi <= kMaxDpi) put(DpiValueKey(i), dpi);
  }
  put("scroll_flag", r[48]);
  put("liftoff_height", r[49]);
  put("sensor_flag", SensorFlagFromDevice(r[50]));
  put("button_respondtime", r[51]);
  put("sleep_light", r[52]);
  put("e-sports_flag", r[53]);
  return out;
}

CommandBuffer BuildSetDpiLevel(uint8_t profile_index, const SettingsValues& values) {
  const int index = ValueOf(values, "dpi_index");
  return BuildSetDpiLevel(profile_index, index, ValueOf(values, DpiValueKey(index)));
}

CommandBuffer BuildSetReportRate(uint8_t profile_index, const SettingsValues& values) {
  return BuildSetReportRate(profile_index, ValueOf(values, "report_rate"));
}

}  // namespace zq::codec
