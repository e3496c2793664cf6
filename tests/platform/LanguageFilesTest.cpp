// Checks the language files shipped in resources/language against the texts
// the program looks up.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/IniFile.h"
#include "platform/Localization.h"
#include "platform/Text.h"

namespace zq {
namespace {

using test::ScopedEnv;

// Every key the program reads, by area.
std::vector<int> KeysReadByTheProgram() {
  struct Range {
    int first, last;
  };
  const Range ranges[] = {
      {5, 5},     {12, 12},   {20, 23},   {25, 27},   {30, 32},   {36, 39},   {50, 54},
      {56, 57},   {71, 74},   {76, 76},   {90, 91},   {101, 101}, {103, 103}, {111, 115},
      {121, 128}, {150, 156}, {160, 164}, {170, 171}, {175, 182}, {185, 194}, {200, 201},
      {210, 210}, {212, 214}, {249, 249}, {252, 253}, {255, 261}, {275, 276}, {350, 353},
      {355, 355}, {357, 368}, {385, 398}, {400, 403}, {405, 415}, {500, 500}, {531, 537},
      {560, 561}, {573, 573}, {576, 578}, {585, 587}, {600, 603}, {605, 608}, {610, 611},
      {613, 613}, {630, 641}, {650, 654}, {657, 659}, {670, 672}, {675, 676}, {800, 831},
  };
  std::vector<int> keys;
  for (const auto& r : ranges) {
    for (int k = r.first; k <= r.last; ++k) keys.push_back(k);
  }
  return keys;
}

const std::string kLanguageFolder = std::string(ZQ_SOURCE_DIR) + "/resources/language/";

std::string FileText(int language) {
  std::string text;
  EXPECT_TRUE(ReadWholeFile(kLanguageFolder + FormatInt(language) + ".lan", text)) << language;
  return text;
}

// The keys that appear in the [LAN] section of a file, in file order.
std::vector<std::string> KeysInFile(const std::string& text) {
  std::vector<std::string> keys;
  bool in_lan = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      in_lan = line == "[LAN]";
      continue;
    }
    if (in_lan) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

class LanguageFiles : public ::testing::TestWithParam<int> {
 protected:
  ~LanguageFiles() override { SetCurrentLanguageId(saved_); }
  int saved_ = CurrentLanguageId();
};

TEST_P(LanguageFiles, EveryTextTheProgramReadsIsThere) {
  ScopedEnv program("ZQ_PROGRAM_FOLDER", std::string(ZQ_SOURCE_DIR) + "/resources/");
  SetCurrentLanguageId(GetParam());
  for (int key : KeysReadByTheProgram()) {
    EXPECT_FALSE(LoadLanText(kLanSection, key).empty()) << GetParam() << ".lan key " << key;
  }
}

TEST_P(LanguageFiles, TextsAreWholeValidAndUnique) {
  const std::string text = FileText(GetParam());
  std::set<std::string> seen;
  for (const std::string& key : KeysInFile(text)) {
    EXPECT_TRUE(seen.insert(key).second) << "key " << key << " appears twice";
    EXPECT_EQ(FormatInt(ParseDecimal(key)), key) << "key " << key << " is not plain decimal";
    const std::string value = FindIniValue(text, kLanSection, key).value_or("");
    EXPECT_LE(CodePointCount(value), 259u) << "key " << key;
    EXPECT_EQ(value.find("\xEF\xBF\xBD"), std::string::npos) << "key " << key << " is not UTF-8";
    EXPECT_EQ(ReadProfileString(kLanguageFolder + FormatInt(GetParam()) + ".lan", kLanSection,
                                key),
              value)
        << "key " << key;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageFiles, ::testing::Values(1033, 2052));

TEST(LanguageFilesAgree, SameKeysInBothLanguages) {
  const std::vector<std::string> english = KeysInFile(FileText(1033));
  const std::vector<std::string> chinese = KeysInFile(FileText(2052));
  EXPECT_EQ(std::set<std::string>(english.begin(), english.end()),
            std::set<std::string>(chinese.begin(), chinese.end()));
}

// Default macro names are recognised across languages by these words, so the
// files must use exactly them for the name prefix and the copy word.
TEST(LanguageFilesAgree, DefaultNameWordsMatchTheNameTranslation) {
  const std::string english = FileText(1033);
  const std::string chinese = FileText(2052);
  EXPECT_EQ(FindIniValue(english, kLanSection, "351").value_or(""), "Custom");
  EXPECT_EQ(FindIniValue(chinese, kLanSection, "351").value_or(""), "自定义");
  EXPECT_EQ(FindIniValue(english, kLanSection, "31").value_or(""), "Copy");
  EXPECT_EQ(FindIniValue(chinese, kLanSection, "31").value_or(""), "复制");
}

}  // namespace
}  // namespace zq
