#pragma once
// A reader for Windows-style initialisation files with the contract of the
// profile-string function the language files were designed for:
//   - sections "[name]" and keys "key=value", both compared without regard to
//     ASCII case; the first matching section and, in it, the first matching
//     key win;
//   - blanks around names and values are dropped, and a value wrapped in a
//     pair of matching quotes (' or ") loses them;
//   - lines end in LF, CR LF or CR; lines starting with ';' are comments;
//   - the file is UTF-8 with or without BOM (UTF-16 with BOM is accepted too,
//     as the Windows tools write it);
//   - a missing file, section or key reads as an empty text, never an error.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zq {

// The size of the read buffer the program's lookups use, in characters with
// the terminator: a longer value arrives cut to 259 characters.
inline constexpr size_t kProfileBufferChars = 260;

// Looks `key` up in `section` of INI text (raw file bytes, BOM allowed).
// Returns the value uncut, or nullopt when the section or key is missing.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// Reads a whole file into `bytes`; false when it cannot be read. Files larger
// than `max_bytes` are refused rather than loaded, so a wrong path can never
// pull an enormous file into memory.
bool ReadWholeFile(const std::string& path, std::string& bytes,
                   size_t max_bytes = 16 * 1024 * 1024);

// The profile-string lookup: the value of `key` in `section` of the file at
// `path`, cut to `buffer_chars - 1` code points (and made valid UTF-8). The
// file is read anew at every call, so a changed file is seen at once.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key,
                              size_t buffer_chars = kProfileBufferChars);

}  // namespace zq
