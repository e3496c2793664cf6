#include "platform/Localization.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "TempDir.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace zq {
namespace {

using test::ScopedEnv;
using test::TempDir;

// A program folder and a config folder of the test's own, with every locale
// variable cleared, so neither the real home nor the machine's locale leaks in.
class LocalizationTest : public ::testing::Test {
 protected:
  LocalizationTest()
      : program_("ZQ_PROGRAM_FOLDER", dir_ / "program/"),
        config_("XDG_CONFIG_HOME", dir_ / "config"),
        language_("LANGUAGE", ""),
        lc_all_("LC_ALL", ""),
        lc_messages_("LC_MESSAGES", ""),
        lang_("LANG", "") {
    CreateFolderChain(dir_ / "program/language/");
  }
  ~LocalizationTest() override { SetCurrentLanguageId(saved_language_); }

  void WriteLan(int id, const std::string& body) {
    std::ofstream out(dir_ / ("program/language/" + FormatInt(id) + ".lan"),
                      std::ios::binary | std::ios::trunc);
    out << body;
  }
  Registry Key() const { return Registry(dir_ / "config/Zintor Q57 mouse"); }
  std::string Stored() const { return Key().Read("LCID").value_or("<none>"); }

  TempDir dir_;
  ScopedEnv program_, config_, language_, lc_all_, lc_messages_, lang_;
  int saved_language_ = CurrentLanguageId();
};

TEST_F(LocalizationTest, FirstStartFollowsTheSystemLanguageAndStoresIt) {
  struct Case {
    const char* lang;
    int expected;
  } cases[] = {
      {"en_US.UTF-8", 1033}, {"C", 1033},           {"POSIX", 1033},       {"C.UTF-8", 1033},
      {"zh_CN.UTF-8", 2052}, {"de_DE.UTF-8", 2052}, {"ja_JP.UTF-8", 2052},
      // Only US English has English texts; British English is shown in Chinese.
      {"en_GB.UTF-8", 2052},
  };
  for (const auto& c : cases) {
    TempDir config;
    ScopedEnv home("XDG_CONFIG_HOME", config.path());
    ScopedEnv lang("LANG", c.lang);
    SetCurrentLanguageId(c.expected == 1033 ? 2052 : 1033);
    InitLanguage();
    EXPECT_EQ(CurrentLanguageId(), c.expected) << c.lang;
    Registry key(config / "Zintor Q57 mouse");
    EXPECT_TRUE(key.KeyExists()) << c.lang;
    EXPECT_EQ(key.Read("LCID").value_or("<none>"), FormatInt(c.expected)) << c.lang;
  }
}

TEST_F(LocalizationTest, StoredChoiceWinsAndOnlyEnglishOrChineseStays) {
  struct Case {
    std::optional<std::string> stored;  // nullopt: the key exists without a value
    const char* lang;
    int expected;
  } cases[] = {
      {"1033", "de_DE.UTF-8", 1033},
      {"2052", "en_US.UTF-8", 2052},
      {"1041", "en_US.UTF-8", 2052},  // Japanese stored by some other build
      {"2057", "en_US.UTF-8", 2052},
      {"-5", "en_US.UTF-8", 2052},
      {std::nullopt, "en_US.UTF-8", 1033},  // no value: the system decides
      {std::nullopt, "ja_JP.UTF-8", 2052},
      {"", "en_US.UTF-8", 1033},     // empty and malformed values count as none
      {"abc", "en_US.UTF-8", 1033},
  };
  for (const auto& c : cases) {
    TempDir config;
    ScopedEnv home("XDG_CONFIG_HOME", config.path());
    ScopedEnv lang("LANG", c.lang);
    Registry key(config / "Zintor Q57 mouse");
    ASSERT_TRUE(key.CreateKey());
    if (c.stored) {
      ASSERT_TRUE(key.Write("LCID", *c.stored));
    }
    const std::string what = c.stored.value_or("<none>") + " on " + c.lang;

    InitLanguage();
    EXPECT_EQ(CurrentLanguageId(), c.expected) << what;
    EXPECT_EQ(key.Read("LCID").value_or("<none>"), FormatInt(c.expected)) << what;
  }
}

TEST_F(LocalizationTest, KeyThatCannotBeCreatedMeansChineseAndNothingStored) {
  // The config "folder" is a file, so the application key cannot be made.
  std::ofstream(dir_ / "blocker") << "x";
  ScopedEnv home("XDG_CONFIG_HOME", dir_ / "blocker");
  ScopedEnv lang("LANG", "en_US.UTF-8");
  EXPECT_EQ(ReadLanguageId(), 2052);
  InitLanguage();
  EXPECT_EQ(CurrentLanguageId(), 2052);
  EXPECT_FALSE(Registry(dir_ / "blocker/Zintor Q57 mouse").KeyExists());
}

TEST_F(LocalizationTest, KeyThatIsNotAFileReadsAsChinese) {
  ASSERT_TRUE(CreateFolderChain(Key().FilePath() + "/"));
  ScopedEnv lang("LANG", "en_US.UTF-8");
  EXPECT_EQ(ReadLanguageId(), 2052);
  InitLanguage();
  EXPECT_EQ(CurrentLanguageId(), 2052);
}

TEST_F(LocalizationTest, KeyThatCannotBeOpenedReadsAsChinese) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
  Registry key = Key();
  ASSERT_TRUE(key.CreateKey());
  ASSERT_TRUE(key.Write("LCID", "1033"));
  ASSERT_EQ(chmod(key.FilePath().c_str(), 0400), 0);
  EXPECT_EQ(ReadLanguageId(), 2052);
  chmod(key.FilePath().c_str(), 0600);
}

TEST_F(LocalizationTest, ReadingCreatesTheKeyWritingNeverDoes) {
  WriteLanguageId(1033);
  EXPECT_FALSE(Key().KeyExists());
  EXPECT_EQ(ReadLanguageId(), 0);
  EXPECT_TRUE(Key().KeyExists());
  EXPECT_EQ(ReadLanguageId(), 0);
  WriteLanguageId(2052);
  EXPECT_EQ(Stored(), "2052");
  EXPECT_EQ(ReadLanguageId(), 2052);
}

TEST_F(LocalizationTest, UserLanguageFromTheLocaleVariables) {
  struct Case {
    const char* language;
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    int expected;
  } cases[] = {
      {"", "", "", "", 1033},
      {"", "", "", "en_US.UTF-8", 1033},
      {"", "", "", "en_GB.UTF-8", 2057},
      {"", "", "", "de_DE.UTF-8", 1031},
      {"", "", "", "de_AT.UTF-8@euro", 3079},
      {"", "", "", "ja_JP.UTF-8", 1041},
      {"", "", "", "zh_CN.UTF-8", 2052},
      {"", "", "", "zh_TW.UTF-8", 1028},
      {"", "", "", "ru_RU.UTF-8", 1049},
      {"", "", "", "ko_KR.UTF-8", 1042},
      {"", "", "", "en_DK.UTF-8", 9},  // English, but no US English
      {"", "", "", "eo.UTF-8", 4096},
      {"", "", "fr_FR.UTF-8", "en_US.UTF-8", 1036},
      {"", "ja_JP.UTF-8", "fr_FR.UTF-8", "en_US.UTF-8", 1041},
      {"de:en_US", "", "", "en_US.UTF-8", 1031},
      {":en_US:de", "", "", "fr_FR.UTF-8", 1033},
      // gettext ignores LANGUAGE while the locale is the classic one.
      {"de", "", "", "C", 1033},
      {"", "POSIX", "", "de_DE.UTF-8", 1033},
  };
  for (const auto& c : cases) {
    ScopedEnv a("LANGUAGE", c.language), b("LC_ALL", c.lc_all), m("LC_MESSAGES", c.lc_messages),
        l("LANG", c.lang);
    EXPECT_EQ(UserDefaultUILanguage(), c.expected)
        << c.language << "|" << c.lc_all << "|" << c.lc_messages << "|" << c.lang;
  }
}

TEST_F(LocalizationTest, TextsComeFromTheCurrentLanguagesFile) {
  WriteLan(1033, "\xEF\xBB\xBF[LAN]\r\n57=Please connect the mouse\r\n");
  WriteLan(2052, "[LAN]\n57=请连接鼠标\n58=" + std::string(300, 'x') + "\n");
  SetCurrentLanguageId(1033);
  EXPECT_EQ(LoadLanText("LAN", 57), "Please connect the mouse");
  EXPECT_EQ(LoadLanText("LAN", 58), "");
  SetCurrentLanguageId(2052);
  EXPECT_EQ(LoadLanText("LAN", 57), "请连接鼠标");
  EXPECT_EQ(LoadLanText("LAN", 58), std::string(259, 'x'));
  EXPECT_EQ(LoadLanText("lan", 57), "请连接鼠标");
  EXPECT_EQ(LoadLanText("OTHER", 57), "");

  WriteLan(2052, "[LAN]\n57=已更改\n");
  EXPECT_EQ(LoadLanText("LAN", 57), "已更改");

  SetCurrentLanguageId(1041);  // no such file
  EXPECT_EQ(LoadLanText("LAN", 57), "");
}

TEST_F(LocalizationTest, LookupsFromTwoThreadsWhileTheLanguageChanges) {
  WriteLan(1033, "[LAN]\n51=USB cable\n");
  WriteLan(2052, "[LAN]\n51=有线\n");
  SetCurrentLanguageId(1033);
  std::atomic<int> bad{0};
  std::thread worker([&] {
    for (int i = 0; i < 200; ++i) {
      const std::string t = LoadLanText("LAN", 51);
      if (t != "USB cable" && t != "有线") ++bad;
    }
  });
  for (int i = 0; i < 200; ++i) {
    SetCurrentLanguageId(i % 2 ? 1033 : 2052);
    const std::string t = LoadLanText("LAN", 51);
    if (t != "USB cable" && t != "有线") ++bad;
  }
  worker.join();
  EXPECT_EQ(bad.load(), 0);
}

TEST_F(LocalizationTest, DefaultNamesTakeTheCurrentLanguagesWords) {
  WriteLan(1033, "[LAN]\n351=Custom\n");
  WriteLan(2052, "[LAN]\n351=自定义\n");
  struct Case {
    int language;
    const char* name;
    const char* expected;
  } cases[] = {
      {2052, "Custom3", "自定义3"},
      {2052, "Custom3 Copy", "自定义3  复制"},
      {2052, "自定義12", "自定义12"},
      {2052, "カスタム4", "自定义4"},
      {2052, "Пользовательский5", "自定义ельский5"},
      {2052, "自定義2 複製", "自定义2  复制"},
      {2052, "Macro Копировать", "Macro  复制"},
      {2052, "Copy of Copy", " 复制"},  // the first occurrence decides
      {2052, "自定义3 复制", "自定义3 复制"},  // already Chinese
      {2052, "custom3", "custom3"},          // case matters
      {2052, "MyCustom", "MyCustom"},
      {2052, "Copycat", "Copycat"},
      {2052, "", ""},
      {1033, "自定义3", "Custom3"},
      {1033, "自定义3 复制", "Custom3  Copy"},
      {1033, "自定義7 複製", "Custom7  Copy"},
      {1033, "カスタム1", "Custom1"},
      {1033, "Custom3 Copy", "Custom3 Copy"},
      {1033, "Jump 复制", "Jump  Copy"},
      {1033, "Jump", "Jump"},
  };
  for (const auto& c : cases) {
    SetCurrentLanguageId(c.language);
    EXPECT_EQ(LocalizeDefaultName(c.name), c.expected) << c.language << " " << c.name;
  }
}

TEST_F(LocalizationTest, DefaultNamePrefixStaysWithoutALanguageFile) {
  SetCurrentLanguageId(2052);
  EXPECT_EQ(LocalizeDefaultName("Custom3"), "Custom3");
  EXPECT_EQ(LocalizeDefaultName("Custom3 Copy"), "Custom3  复制");
}

}  // namespace
}  // namespace zq
