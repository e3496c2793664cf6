#pragma once
// Key reports: the function codes of one profile's button positions, written
// with 0x09 (slots 0..7) and read with 0x08 (slots 0..8).

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "buttons/FunctionCatalogue.h"
#include "device/codec/Command.h"

namespace zq::codec {

// A write for one profile: the default codes, then the code of every stored
// assignment at the slot of its position, in the order given. Assignments of
// positions outside 1..9 are skipped. `placement` as for EncodeFunction.
CommandBuffer BuildWriteButtonCodes(uint8_t profile_index,
                                    const std::vector<ButtonAssignment>& assignments,
                                    const std::vector<Macro>& macros,
                                    const MacroPlacement* placement = nullptr);

// The nine codes of an acknowledged read reply; nothing otherwise.
std::optional<std::array<FunctionCode, kSlotCount>> ParseButtonCodesReply(
    std::span<const uint8_t> reply);

// The assignments to store for profile `profile` from a read reply, slot 0
// first; codes that say nothing are left out.
std::vector<ButtonAssignment> DecodeButtonCodesReply(int profile, std::span<const uint8_t> reply,
                                                     const std::vector<Macro>& macros);

}  // namespace zq::codec
