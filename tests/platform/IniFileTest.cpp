#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "platform/Text.h"

namespace zq {
namespace {

using test::TempDir;

struct IniCase {
  const char* what;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(IniFile, FindsValuesLikeTheProfileFunction) {
  const IniCase cases[] = {
      {"plain", "[LAN]\n50=No device\n", "LAN", "50", "No device"},
      {"UTF-8 BOM before the first section", "\xEF\xBB\xBF[LAN]\r\n1=A\r\n", "LAN", "1", "A"},
      {"CR LF lines keep no CR", "[LAN]\r\n1=A\r\n2=B\r\n", "LAN", "2", "B"},
      {"CR-only lines", "[LAN]\r1=A\r2=B\r", "LAN", "2", "B"},
      {"no final line end", "[LAN]\n7=last", "LAN", "7", "last"},
      {"blanks around name and value", "  [ LAN ]  \n\t 5 \t=  five words  \n", "LAN", "5",
       "five words"},
      {"double quotes removed", "[LAN]\n1=\"  padded  \"\n", "LAN", "1", "  padded  "},
      {"single quotes removed", "[LAN]\n1='x'\n", "LAN", "1", "x"},
      {"unmatched quotes kept", "[LAN]\n1=\"x'\n", "LAN", "1", "\"x'"},
      {"lone quote kept", "[LAN]\n1=\"\n", "LAN", "1", "\""},
      {"inner equals sign kept", "[LAN]\n1=a=b\n", "LAN", "1", "a=b"},
      {"section case-insensitive", "[lan]\n1=A\n", "LAN", "1", "A"},
      {"key case-insensitive", "[LAN]\nTitle=A\n", "LAN", "tITLE", "A"},
      {"first key wins", "[LAN]\n1=first\n1=second\n", "LAN", "1", "first"},
      {"key 5 is not key 50", "[LAN]\n50=fifty\n", "LAN", "5", std::nullopt},
      {"key 50 is not key 5", "[LAN]\n5=five\n", "LAN", "50", std::nullopt},
      {"other sections ignored", "[X]\n1=x\n[LAN]\n2=y\n[Y]\n1=z\n", "LAN", "1", std::nullopt},
      {"keys before any section ignored", "1=x\n[LAN]\n", "LAN", "1", std::nullopt},
      {"first of two equal sections", "[LAN]\n1=a\n[LAN]\n1=b\n2=c\n", "LAN", "2",
       std::nullopt},
      {"missing section", "[OTHER]\n1=A\n", "LAN", "1", std::nullopt},
      {"comment line", "[LAN]\n;1=hidden\n1=shown\n", "LAN", "1", "shown"},
      {"key without equals sign reads empty", "[LAN]\n9\n", "LAN", "9", ""},
      {"empty value", "[LAN]\n9=\n", "LAN", "9", ""},
      {"Chinese text", "[LAN]\n57=请连接鼠标\n", "LAN", "57", "请连接鼠标"},
      {"UTF-16 LE with BOM", std::string("\xFF\xFE[\0L\0A\0N\0]\0\n\0" "1\0=\0" "A\0", 20), "LAN",
       "1", "A"},
      {"empty text", "", "LAN", "1", std::nullopt},
      {"unterminated section header", "[LAN\n1=A\n", "LAN", "1", "A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindIniValue(c.text, c.section, c.key), c.expected) << c.what;
  }
}

class ProfileFile : public ::testing::Test {
 protected:
  void Write(const std::string& text) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << text;
  }
  TempDir dir_;
  std::string path_ = dir_ / "test.lan";
};

TEST_F(ProfileFile, CutsLongValuesTo259CodePoints) {
  const std::string ascii(300, 'a');
  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "鼠";
  Write("[LAN]\n1=" + ascii + "\n2=" + chinese + "\n3=\"" + std::string(259, 'q') + "\"\n");

  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), std::string(259, 'a'));
  const std::string cut = ReadProfileString(path_, "LAN", "2");
  EXPECT_EQ(CodePointCount(cut), 259u);
  EXPECT_EQ(cut, Utf8Prefix(chinese, 259));
  // Quotes are removed before the cut, so a quoted 259-character text is whole.
  EXPECT_EQ(ReadProfileString(path_, "LAN", "3"), std::string(259, 'q'));
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1", 5), "aaaa");
}

TEST_F(ProfileFile, MissingPartsReadEmpty) {
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), "");  // no file yet
  EXPECT_EQ(ReadProfileString(dir_.path(), "LAN", "1"), "");  // a folder, not a file
  Write("[LAN]\n1=one\n");
  EXPECT_EQ(ReadProfileString(path_, "OTHER", "1"), "");
  EXPECT_EQ(ReadProfileString(path_, "LAN", "2"), "");
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), "one");
}

TEST_F(ProfileFile, SeesAChangedFileAtTheNextLookup) {
  Write("[LAN]\n1=before\n");
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), "before");
  Write("[LAN]\n1=after\n");
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), "after");
}

TEST_F(ProfileFile, BrokenBytesBecomeReplacementCharacters) {
  Write(std::string("[LAN]\n1=a\xFF" "b\n2=x\0y\n", 17));
  EXPECT_EQ(ReadProfileString(path_, "LAN", "1"), "a\xEF\xBF\xBD" "b");
  // A text ends at a NUL, as the caller's C string would.
  EXPECT_EQ(ReadProfileString(path_, "LAN", "2"), "x");
}

}  // namespace
}  // namespace zq
