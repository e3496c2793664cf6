#pragma once
// Character encodings of XML files: the charset names a file may declare,
// the Windows code pages they stand for, and conversion between those code
// pages and the document's own UTF-8 text through glibc's iconv.
//
// Code pages are the common currency because the file formats were defined
// in their terms (the exemptions from loss reporting, the ANSI fallback); an
// iconv name is looked up only at the moment of converting.

#include <string>
#include <string_view>
#include <vector>

namespace zq::xml {

// The code page of the layer's ANSI text: what an undeclared, non-UTF-8 file
// is read in and what an unknown or empty charset name means.
inline constexpr int kAnsiCodePage = 1252;

inline constexpr int kCodePageUtf16Le = 1200;
inline constexpr int kCodePageUtf16Be = 1201;
inline constexpr int kCodePageUtf32Le = 12000;
inline constexpr int kCodePageUtf32Be = 12001;
inline constexpr int kCodePageUtf8 = 65001;

// The code page a charset name stands for: IANA names, their usual aliases
// and the forms "cp", "windows-", "ibm" or "x-cp" followed by the number of a
// known code page. The name is folded to lower case (A to Z only) first.
// 0 when the name is unknown or empty.
int CodePageFromName(std::string_view name);

// CodePageFromName, with an unknown or empty name meaning kAnsiCodePage.
int CodePageOrAnsi(std::string_view name);

// Every code page a name can stand for, ascending.
std::vector<int> KnownCodePages();

// The iconv name of a known code page; nullptr for an unknown one.
const char* IconvNameOf(int codePage);

// Whether a conversion into this code page leaves the question of replaced
// characters unanswered (the multi-state and Unicode encodings); for those
// "conversion_loss" is never reported.
bool IsLossExempt(int codePage);

// The loose UTF-8 test applied to a file without mark or declaration: every
// byte 0x80 to 0xDF, 0xE0 to 0xEF, 0xF0 to 0xF7 must be followed by one, two
// or three bytes of 0x80 or above; a byte 0xF8 or above or a cut sequence
// fails it.
bool PassesUtf8Test(std::string_view bytes);

// Bytes in a code page to UTF-8. Never fails: bytes the code page does not
// define become U+FFFD. UTF-8 input is passed through with invalid sequences
// replaced by U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, int codePage);

// UTF-8 to bytes in a code page (UTF-16 and UTF-32 without a mark, in their
// own byte order). Characters the code page cannot hold become "?", and
// `lossy` tells whether that happened. Invalid UTF-8 in the input is read as
// U+FFFD first.
std::string EncodeFromUtf8(std::string_view text, int codePage, bool& lossy);

// The encoding a document declares: the `encoding` attribute of an XML
// declaration at offset 0, or, when the first element is `html`, the charset
// of a <meta http-equiv="Content-Type" content="...; charset=..."> before the
// end of `head` (names compared without regard to case). Empty when none.
std::string FindDeclaredEncoding(std::string_view text);

}  // namespace zq::xml
