#pragma once
// Lexical pieces of the markup shared by the reader, the writer and the
// encoding detection: name characters, attribute scanning inside one tag,
// escaping and unescaping of attribute values.

#include <cstddef>
#include <string>
#include <string_view>

namespace zq::xml {

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A character that may begin a start tag: A to Z, "_", ":" or anything from
// "a" (97) upward, which takes in every byte of a non-ASCII UTF-8 character.
inline bool IsNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 'a';
}

// A character that ends a tag name.
inline bool IsNameEnd(char c) {
  switch (c) {
    case ' ': case '\t': case '\n': case '\r': case '<': case '>': case '=': case '\\':
    case '/': case '?': case '!': case '"': case '\'': case ';':
      return true;
    default:
      return false;
  }
}

// Length of the tag name that starts at text[pos].
inline size_t TagNameLength(std::string_view text, size_t pos) {
  size_t end = pos;
  while (end < text.size() && !IsNameEnd(text[end])) ++end;
  return end - pos;
}

// One attribute found inside a tag, as offsets into the scanned text.
struct AttributeSpan {
  bool found = false;
  size_t nameEnd = 0;     // just after the attribute's name
  bool hasValue = false;  // an "=" followed
  bool quoted = false;    // the value stands in quotes
  size_t valueBegin = 0;  // the value itself, quotes excluded
  size_t valueEnd = 0;
  size_t tokenEnd = 0;    // after the value and its closing quote
  size_t lastEnd = 0;     // after the last attribute of the tag (or its name)
  // The last attribute ends in "=" with nothing after it: whatever follows
  // it would be read as its value.
  bool lastDangles = false;
};

// Looks for attribute `name` in text[begin, end): `begin` is just after the
// tag name, `end` the position of the closing ">" (or of the "/" of "/>").
// The search stops at "/", ">" or "?" outside a value. When the attribute is
// absent, `lastEnd` still tells where a new one would go. Never reads outside
// [begin, end).
AttributeSpan ScanAttributes(std::string_view text, size_t begin, size_t end,
                             std::string_view name, bool ignoreCase);

// The text of an attribute value with character and entity references
// replaced (decimal and hexadecimal references, the HTML 4 names and apos).
// An "&" that begins no reference is kept.
std::string Unescape(std::string_view value);

// Appends `value` with "<", ">", "&", "'" and '"' written as references.
void AppendEscaped(std::string& out, std::string_view value);
std::string Escape(std::string_view value);

// The code point an HTML 4 entity name (or apos) stands for; 0 if none.
char32_t EntityCodePoint(std::string_view name);

}  // namespace zq::xml
