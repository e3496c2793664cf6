#include "platform/Text.h"

#include <gtest/gtest.h>

#include <climits>

namespace zq {
namespace {

TEST(ParseDecimal, FollowsThePlainConversion) {
  struct Case {
    const char* text;
    int value;
    bool digits;
  } cases[] = {
      {"", 0, false},          {"abc", 0, false},       {"  42", 42, true},
      {"\t-7x", -7, true},     {"+15", 15, true},       {"12ab34", 12, true},
      {"- 3", 0, false},       {"--3", 0, false},       {"007", 7, true},
      {"2147483647", INT_MAX, true},                    {"-2147483648", INT_MIN, true},
      {"99999999999999999999", INT_MAX, true},          {"-99999999999999999999", INT_MIN, true},
  };
  for (const auto& c : cases) {
    int v = -1;
    EXPECT_EQ(ParseDecimal(c.text, v), c.digits) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
  }
}

TEST(ParseHex, ReadsCatalogueIds) {
  EXPECT_EQ(ParseHex("1915"), 0x1915u);
  EXPECT_EQ(ParseHex("0x1A2b"), 0x1A2Bu);
  EXPECT_EQ(ParseHex("ffffz"), 0xFFFFu);
  EXPECT_EQ(ParseHex(""), 0u);
  EXPECT_EQ(ParseHex("zz"), 0u);
  EXPECT_EQ(ParseHex("123456789ABCDEF"), 0xFFFFFFFFu);
}

TEST(Utf, RoundTripsAcrossPlanes) {
  const std::string text = "A é 微笑 😀 Пользоват";
  const std::u16string u16 = Utf8ToUtf16(text);
  EXPECT_EQ(Utf16ToUtf8(u16), text);
  EXPECT_EQ(CodePointCount(text), 18u);
  // The emoji takes a surrogate pair.
  EXPECT_EQ(u16.size(), 19u);
}

TEST(Utf, InvalidInputBecomesReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"\xC3", "\xEF\xBF\xBD"},                  // cut short at the end
      {"\xE5\xBE", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // cut short, two bytes
      {"\xFF" "a", "\xEF\xBF\xBD" "a"},
      {"\xC0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},  // overlong NUL
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // encoded surrogate
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(c.bytes)), c.expected);
  }
  // A lone surrogate in UTF-16 also becomes U+FFFD.
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(Utf, PrefixAndSuffixCountCodePoints) {
  EXPECT_EQ(Utf8Prefix("自定义3", 3), "自定义");
  EXPECT_EQ(Utf8Suffix("自定义3 复制", 3), " 复制");
  EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
  EXPECT_EQ(Utf8Suffix("ab", 0), "");
}

TEST(Case, FoldsAsciiLettersOnly) {
  EXPECT_EQ(ToUpperAscii("hid#vid_1915&Pid_é"), "HID#VID_1915&PID_é");
  EXPECT_EQ(ToLowerAscii("UTF-8"), "utf-8");
}

}  // namespace
}  // namespace zq
