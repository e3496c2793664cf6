#pragma once
// Byte views for comparing command reports with the bytes the mouse expects.

#include <cstdint>
#include <span>
#include <vector>

#include "device/codec/Command.h"

namespace zq::codec::test {

using Bytes = std::vector<uint8_t>;

// `n` payload bytes from payload offset `from` of an output report.
inline Bytes Payload(const CommandBuffer& b, size_t from, size_t n) {
  return Bytes(b.begin() + static_cast<long>(At(from)),
               b.begin() + static_cast<long>(At(from + n)));
}

// A 64-byte reply (no report id) acknowledging `code`.
inline std::vector<uint8_t> Reply(uint8_t code) {
  std::vector<uint8_t> r(64, 0);
  r[0] = kAck;
  r[1] = code;
  return r;
}

}  // namespace zq::codec::test
