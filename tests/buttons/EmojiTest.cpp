#include "buttons/Emoji.h"

#include <gtest/gtest.h>

#include "buttons/RecordingKeystrokeSink.h"
#include "platform/Text.h"

namespace zq {
namespace {

using Stroke = RecordingKeystrokeSink::Keystroke;

TEST(EmojiCodeOf, KnowsAllNumbersAndNothingElse) {
  const std::pair<int, const char*> samples[] = {
      {1, "[微笑]"},  {10, "[大哭]"}, {26, "[憨笑]"}, {27, "[悠闲]"}, {40, "[右哼哼]"},
      {50, "[破涕为笑]"}, {64, "[Emm]"}, {65, "[社会社会]"}, {71, "[666]"}, {87, "[OK]"},
      {102, "[發]"},  {109, "[转圈]"},
  };
  for (const auto& [n, code] : samples) EXPECT_EQ(EmojiCodeOf(n), code) << n;
  for (int n : {0, -1, 110, 255}) EXPECT_EQ(EmojiCodeOf(n), "") << n;
  for (int n = 1; n <= kEmojiCount; ++n) {
    const std::string code = EmojiCodeOf(n);
    ASSERT_GE(code.size(), 3u) << n;
    EXPECT_EQ(code.front(), '[');
    EXPECT_EQ(code.back(), ']');
    for (int m = 1; m < n; ++m) EXPECT_NE(EmojiCodeOf(m), code) << m << " and " << n;
  }
}

TEST(EmojiNameOf, IsTheCodeWithoutBracketsButForThreeFaces) {
  for (int n = 1; n <= kEmojiCount; ++n) {
    if (n == 26 || n == 27 || n == 40) continue;
    const std::string code = EmojiCodeOf(n);
    EXPECT_EQ(EmojiNameOf(n), code.substr(1, code.size() - 2)) << n;
  }
  EXPECT_EQ(EmojiNameOf(26), "流汗");
  EXPECT_EQ(EmojiNameOf(27), "憨笑");
  EXPECT_EQ(EmojiNameOf(40), "左哼哼");
  EXPECT_EQ(EmojiNameOf(0), "");
  EXPECT_EQ(EmojiNameOf(110), "");
  EXPECT_EQ(EmojiPictureFile(1), "Emoji/wechat_emoji_00.png");
  EXPECT_EQ(EmojiPictureFile(109), "Emoji/wechat_emoji_108.png");
  EXPECT_EQ(EmojiPictureFile(110), "");
}

class EmojiTyping : public ::testing::Test {
 protected:
  VirtualClock clock_{5000};
  RecordingKeystrokeSink sink_{clock_};
};

TEST_F(EmojiTyping, EachUnitIsOnePairTenMillisecondsApart) {
  TypeEmoji(1, sink_, clock_);
  const std::u16string units = u"[微笑]";
  std::vector<Stroke> expected;
  uint64_t t = 5000;
  for (char16_t u : units) {
    expected.push_back({u, false, t});
    expected.push_back({u, true, t});
    t += 10;
  }
  EXPECT_EQ(sink_.Strokes(), expected);
  EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{10, 10, 10, 10}));
}

TEST_F(EmojiTyping, NumbersWithoutCodeTypeNothing) {
  TypeEmoji(0, sink_, clock_);
  TypeEmoji(110, sink_, clock_);
  EXPECT_TRUE(sink_.Strokes().empty());
  EXPECT_EQ(clock_.SleepCount(), 0u);
}

TEST_F(EmojiTyping, AsciiCodesGoThroughTheSameUnicodeStrokes) {
  TypeEmoji(64, sink_, clock_);
  TypeEmoji(71, sink_, clock_);
  EXPECT_EQ(sink_.Text(), "[Emm][666]");
  EXPECT_EQ(sink_.Strokes().size(), 20u);
}

TEST_F(EmojiTyping, CarriageReturnsAreDroppedAndAstralCharactersSendBothHalves) {
  TypeEmojiText("a\r\nb\xF0\x9F\x98\x80", sink_, clock_);  // a CR LF b U+1F600
  const auto strokes = sink_.Strokes();
  ASSERT_EQ(strokes.size(), 10u);
  EXPECT_EQ(strokes[0].unit, u'a');
  EXPECT_EQ(strokes[2].unit, u'\n');
  EXPECT_EQ(strokes[4].unit, u'b');
  EXPECT_EQ(strokes[6].unit, 0xD83D);
  EXPECT_EQ(strokes[8].unit, 0xDE00);
  EXPECT_EQ(sink_.Text(), "a\nb\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace zq
