#include "device/codec/KeyReport.h"

namespace zq::codec {

CommandBuffer BuildWriteButtonCodes(uint8_t profile_index,
                                    const std::vector<ButtonAssignment>& assignments,
                                    const std::vector<Macro>& macros,
                                    const MacroPlacement* placement) {
  CommandBuffer b = BuildCommand(kWriteButtonCodes, 0xA5, 0x20, profile_index);
  auto put = [&b](int slot, const FunctionCode& code) {
    for (size_t j = 0; j < 4; ++j) b[At(kDataOffset + 4 * static_cast<size_t>(slot) + j)] = code[j];
  };
  const auto& defaults = DefaultFunctionCodes();
  for (int slot = 0; slot < kWrittenSlots; ++slot) put(slot, defaults[static_cast<size_t>(slot)]);
  for (const ButtonAssignment& a : assignments) {
    const int slot = SlotOfPosition(a.key_code);
    if (slot < 0) continue;
    put(slot, EncodeFunction(a, macros, placement));
  }
  ApplyChecksum(b);
  return b;
}

std::optional<std::array<FunctionCode, kSlotCount>> ParseButtonCodesReply(
    std::span<const uint8_t> reply) {
  if (reply.size() < kDataOffset + 4 * kSlotCount || !IsAcknowledged(reply)) return std::nullopt;
  std::array<FunctionCode, kSlotCount> codes{};
  for (size_t slot = 0; slot < kSlotCount; ++slot)
    for (size_t j = 0; j < 4; ++j) codes[slot][j] = reply[kDataOffset + 4 * slot + j];
  return codes;
}

std::vector<ButtonAssignment> DecodeButtonCodesReply(int profile, std::span<const uint8_t> reply,
                                                     const std::vector<Macro>& macros) {
  std::vector<ButtonAssignment> out;
  const auto codes = ParseButtonCodesReply(reply);
  if (!codes) return out;
  for (int slot = 0; slot < kSlotCount; ++slot)
    if (auto a = DecodeFunction(profile, slot, (*codes)[static_cast<size_t>(slot)], macros))
      out.push_back(std::move(*a));
  return out;
}

}  // namespace zq::codec
