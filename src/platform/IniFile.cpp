#include "platform/IniFile.h"

#include <fstream>
#include <iterator>

#include "platform/Text.h"

namespace zq {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// Files written by Windows editors are often UTF-16 with a BOM; convert them
// so the scanner below sees UTF-8 in every case.
std::string ToUtf8Text(std::string_view bytes) {
  auto has = [&](std::string_view bom) { return bytes.substr(0, bom.size()) == bom; };
  if (has("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  const bool le = has("\xFF\xFE");
  const bool be = has("\xFE\xFF");
  if (!le && !be) return std::string(bytes);
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[le ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(bytes[le ? i + 1 : i]);
    units.push_back(static_cast<char16_t>(lo | (hi << 8)));
  }
  return Utf16ToUtf8(units);
}

std::optional<std::string> FindInUtf8(std::string_view text, std::string_view section,
                                      std::string_view key) {
  const std::string_view want_section = Trim(section);
  const std::string_view want_key = Trim(key);
  bool in_section = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // Only the first section of a name counts: once it has ended, a later
      // section of the same name is not searched.
      if (in_section) return std::nullopt;
      size_t close = line.find(']');
      std::string_view name = line.substr(1, close == std::string_view::npos
                                                 ? std::string_view::npos
                                                 : close - 1);
      in_section = EqualsNoCase(Trim(name), want_section);
      continue;
    }
    if (!in_section) continue;
    const size_t eq = line.find('=');
    const std::string_view name = Trim(line.substr(0, eq));
    if (!EqualsNoCase(name, want_key)) continue;
    if (eq == std::string_view::npos) return std::string();
    std::string_view value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const std::string utf8 = ToUtf8Text(text);
  return FindInUtf8(utf8, section, key);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t max_bytes) {
  bytes.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  char buf[8192];
  while (in) {
    in.read(buf, sizeof(buf));
    const auto got = static_cast<size_t>(in.gcount());
    if (bytes.size() + got > max_bytes) {
      bytes.clear();
      return false;
    }
    bytes.append(buf, got);
  }
  return !in.bad();
}

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, size_t buffer_chars) {
  if (buffer_chars == 0) return {};
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return {};
  const std::optional<std::string> value = FindIniValue(bytes, section, key);
  if (!value) return {};
  // Re-encode while cutting: a stray invalid byte in the file becomes U+FFFD
  // instead of reaching the interface as broken UTF-8.
  std::string out;
  out.reserve(value->size());
  size_t at = 0;
  for (size_t n = 0; n + 1 < buffer_chars && at < value->size(); ++n) {
    const char32_t cp = DecodeUtf8(*value, at);
    if (cp == 0) break;  // the caller's text ends at a NUL, as a C string would
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace zq
