#pragma once
// Text helpers shared by every part of the program. Program text is UTF-8
// std::string; UTF-16 appears only where a facility counts 16-bit units.

#include <cstdint>
#include <string>
#include <string_view>

namespace zq {

// The plain decimal conversion used for every stored number: optional
// blanks, optional sign, then digits up to the first non-digit. Empty or
// malformed text gives 0; values beyond the int range saturate instead of
// overflowing.
int ParseDecimal(std::string_view text);

// Like ParseDecimal, but reports whether any digit was read.
bool ParseDecimal(std::string_view text, int& value);

// A number written the way every stored number is written ("%d").
std::string FormatInt(long long value);

// Parses hexadecimal text (optional blanks and "0x" prefix), stopping at the
// first non-hex character; empty or malformed gives 0.
unsigned ParseHex(std::string_view text);

// UTF-8 <-> UTF-16. Invalid input sequences become U+FFFD, so a conversion
// never fails and never reads past its input.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Appends one code point as UTF-8 (invalid code points become U+FFFD).
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the code point at byte offset `pos`, advancing `pos` past it.
// Invalid bytes decode as U+FFFD and advance by one.
char32_t DecodeUtf8(std::string_view text, size_t& pos);

// Number of Unicode code points in UTF-8 text.
size_t CodePointCount(std::string_view utf8);

// The first `count` code points of UTF-8 text (all of it if shorter).
std::string Utf8Prefix(std::string_view utf8, size_t count);

// The last `count` code points of UTF-8 text (all of it if shorter).
std::string Utf8Suffix(std::string_view utf8, size_t count);

// Upper/lower case of the ASCII letters A to Z only; other bytes unchanged.
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

}  // namespace zq
