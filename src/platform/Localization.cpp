#include "platform/Localization.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <string_view>

#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace zq {
namespace {

std::atomic<int> g_language{kLanguageEnglish};

constexpr const char* kLanguageValue = "LCID";

// The text key holding the current language's default-name prefix.
constexpr int kCustomPrefixKey = 351;

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

struct LocaleEntry {
  std::string_view name;  // "ll" or "ll_CC"
  int id;
};

// Languages spoken in several territories are listed by territory; a bare
// language maps to the locale Windows picks for it.
constexpr LocaleEntry kLocales[] = {
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129},
    {"en_IE", 6153}, {"en_ZA", 7177}, {"en_JM", 8201}, {"en_BZ", 10249}, {"en_TT", 11273},
    {"en_ZW", 12297}, {"en_PH", 13321}, {"en_IN", 16393}, {"en_MY", 17417}, {"en_SG", 18441},
    {"en", 1033},
    {"zh_CN", 2052}, {"zh_TW", 1028}, {"zh_HK", 3076}, {"zh_SG", 4100}, {"zh_MO", 5124},
    {"zh", 2052},
    {"de_DE", 1031}, {"de_CH", 2055}, {"de_AT", 3079}, {"de_LU", 4103}, {"de_LI", 5127},
    {"de", 1031},
    {"fr_FR", 1036}, {"fr_BE", 2060}, {"fr_CA", 3084}, {"fr_CH", 4108}, {"fr_LU", 5132},
    {"fr", 1036},
    {"es_ES", 3082}, {"es_MX", 2058}, {"es_AR", 11274}, {"es_CO", 9226}, {"es_CL", 13322},
    {"es_US", 21514}, {"es", 3082},
    {"pt_BR", 1046}, {"pt_PT", 2070}, {"pt", 2070},
    {"it_IT", 1040}, {"it_CH", 2064}, {"it", 1040},
    {"nl_NL", 1043}, {"nl_BE", 2067}, {"nl", 1043},
    {"sv_SE", 1053}, {"sv_FI", 2077}, {"sv", 1053},
    {"ja", 1041}, {"ko", 1042}, {"ru", 1049}, {"uk", 1058}, {"be", 1059}, {"pl", 1045},
    {"cs", 1029}, {"sk", 1051}, {"sl", 1060}, {"hr", 1050}, {"sr", 2074}, {"bg", 1026},
    {"ro", 1048}, {"hu", 1038}, {"el", 1032}, {"tr", 1055}, {"he", 1037}, {"ar", 1025},
    {"fa", 1065}, {"hi", 1081}, {"th", 1054}, {"vi", 1066}, {"id", 1057}, {"ms", 1086},
    {"da", 1030}, {"fi", 1035}, {"nb", 1044}, {"no", 1044}, {"nn", 2068}, {"et", 1061},
    {"lv", 1062},
};

// Windows' identifier for a locale that has none of its own.
constexpr int kCustomLocale = 4096;

int LookupLocale(std::string_view name) {
  for (const auto& e : kLocales) {
    if (e.name == name) return e.id;
  }
  return 0;
}

bool HasTerritories(std::string_view lang) {
  for (const auto& e : kLocales) {
    if (e.name.size() > lang.size() && e.name.substr(0, lang.size()) == lang &&
        e.name[lang.size()] == '_') {
      return true;
    }
  }
  return false;
}

bool IsClassicLocale(const std::string& name) {
  return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// The current language's words for recognising default macro names made
// under the other languages, in the order they are tried.
struct DefaultNameWords {
  std::array<std::string_view, 4> prefixes;
  std::array<std::string_view, 3> copy_words;
  std::string_view copy_suffix;  // appended after the kept part of the name
};

constexpr DefaultNameWords kWordsUnderChinese = {
    {"Custom", "自定義", "カスタム", "Пользоват"}, {"Copy", "複製", "Копировать"}, " 复制"};
constexpr DefaultNameWords kWordsUnderEnglish = {
    {"自定义", "自定義", "カスタム", "Пользоват"}, {"复制", "複製", "Копировать"}, " Copy"};

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

int CurrentLanguageId() { return g_language.load(std::memory_order_relaxed); }

void SetCurrentLanguageId(int id) { g_language.store(id, std::memory_order_relaxed); }

int ReadLanguageId() {
  // Without a config folder there is nowhere to keep the key.
  if (ConfigHome().empty()) return kLanguageChinese;
  Registry key;
  if (!key.KeyExists()) return key.CreateKey() ? 0 : kLanguageChinese;
  // The key exists but cannot be opened for reading and writing (no
  // permission, or something that is not a file stands in its place).
  const int fd = open(key.FilePath().c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return kLanguageChinese;
  close(fd);
  const std::optional<std::string> value = key.Read(kLanguageValue);
  return value ? ParseDecimal(*value) : 0;
}

void WriteLanguageId(int id) {
  if (ConfigHome().empty()) return;
  Registry key;
  if (!key.KeyExists()) return;
  key.Write(kLanguageValue, FormatInt(id));
}

int LocaleNameToLanguageId(const std::string& locale) {
  if (IsClassicLocale(locale)) return kLanguageEnglish;
  // "ll_CC.codeset@modifier": only language and territory matter.
  std::string name = locale.substr(0, locale.find_first_of(".@"));
  const size_t sep = name.find_first_of("_-");
  std::string lang = ToLowerAscii(name.substr(0, sep));
  std::string full = lang;
  if (sep != std::string::npos) {
    full.push_back('_');
    full.append(ToUpperAscii(name.substr(sep + 1)));
  }
  if (int id = LookupLocale(full)) return id;
  const int id = LookupLocale(lang);
  if (id == 0) return kCustomLocale;
  // Languages listed by territory (en_US, en_GB, ...) give their neutral
  // identifier in any other territory, so that en_DK is not taken for US
  // English; the others have one identifier whatever the territory.
  return sep != std::string::npos && HasTerritories(lang) ? (id & 0x3FF) : id;
}

int UserDefaultUILanguage() {
  std::string locale = Env("LC_ALL");
  if (locale.empty()) locale = Env("LC_MESSAGES");
  if (locale.empty()) locale = Env("LANG");
  // As gettext does: LANGUAGE lists preferred languages, but is ignored
  // while the locale itself is the classic one.
  if (IsClassicLocale(locale)) return kLanguageEnglish;
  const std::string list = Env("LANGUAGE");
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find(':', pos);
    if (end == std::string::npos) end = list.size();
    if (end > pos) return LocaleNameToLanguageId(list.substr(pos, end - pos));
    pos = end + 1;
  }
  return LocaleNameToLanguageId(locale);
}

void InitLanguage() {
  int id = ReadLanguageId();
  if (id == 0) id = UserDefaultUILanguage();
  // Only US English has its own texts; every other language, and any other
  // stored value, is shown and stored as Simplified Chinese.
  if (id != kLanguageEnglish) id = kLanguageChinese;
  WriteLanguageId(id);
  SetCurrentLanguageId(id);
}

std::string LanguageFilePath(int id) {
  return GetProgramFolder() + "language/" + FormatInt(id) + ".lan";
}

std::string LoadLanText(const std::string& section, int key) {
  return ReadProfileString(LanguageFilePath(CurrentLanguageId()), section, FormatInt(key),
                           kProfileBufferChars);
}

std::string LocalizeDefaultName(const std::string& name) {
  const DefaultNameWords& words =
      CurrentLanguageId() == kLanguageChinese ? kWordsUnderChinese : kWordsUnderEnglish;
  std::string result = name;

  // Byte comparisons are exact on code points here: UTF-8 never matches a
  // valid sequence in the middle of another character.
  for (std::string_view prefix : words.prefixes) {
    if (std::string_view(result).substr(0, prefix.size()) != prefix) continue;
    const std::string own = LoadLanText(kLanSection, kCustomPrefixKey);
    // Without the language file there is no word to put in; showing "3"
    // for "Custom3" would name a macro that does not exist.
    if (!own.empty()) result = own + result.substr(prefix.size());
    break;
  }

  for (std::string_view word : words.copy_words) {
    if (!EndsWith(result, word)) continue;
    result = result.substr(0, result.find(word)) + std::string(words.copy_suffix);
    break;
  }
  return result;
}

}  // namespace zq
