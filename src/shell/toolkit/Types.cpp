#include "shell/toolkit/Types.h"

namespace zq::ui {

namespace {
// Length of the UTF-8 sequence that starts with `lead`; stray bytes count as one character so
// that malformed text can still be split and typed.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}
}  // namespace

std::vector<std::string> SplitCharacters(std::string_view utf8) {
  std::vector<std::string> out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t len = SequenceLength(static_cast<unsigned char>(utf8[pos]));
    if (pos + len > utf8.size()) len = utf8.size() - pos;
    out.emplace_back(utf8.substr(pos, len));
    pos += len;
  }
  return out;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace zq::ui
