#pragma once
// Helpers shared by the XmlDocument tests: files in a temporary folder.

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/TempDir.h"

namespace zq::test {

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little- and big-endian UTF-16 bytes of ASCII text.
inline std::string Utf16Bytes(std::string_view ascii, bool bigEndian) {
  std::string out;
  for (char c : ascii) {
    if (bigEndian) out.push_back('\0');
    out.push_back(c);
    if (!bigEndian) out.push_back('\0');
  }
  return out;
}

}  // namespace zq::test
