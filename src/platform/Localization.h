#pragma once
// Interface language: the start-up choice and its persisted value, text
// lookup by number in the language files beside the program, and the
// translation of default macro names created under another language.
//
// Only two languages are ever in effect: 1033 (English) and 2052 (Simplified
// Chinese). Texts live in "<program folder>language/<id>.lan", section "LAN",
// one decimal key per text. Lookups are safe from any thread: they share
// nothing but the current language, an atomic integer.

#include <string>

namespace zq {

inline constexpr int kLanguageEnglish = 1033;
inline constexpr int kLanguageChinese = 2052;

// The section every interface text is read from.
inline constexpr const char* kLanSection = "LAN";

// The interface font family; the shell sets it as the toolkit's default
// font and as the body and title font names.
inline constexpr const char* kInterfaceFontName = "Open Sans Semibold";

// The language in effect: 1033 until InitLanguage decides, then 1033 or 2052.
int CurrentLanguageId();
void SetCurrentLanguageId(int id);

// Start-up choice: the persisted language, else the user's interface
// language; only 1033 stays English, every other identifier becomes 2052.
// The result is put into effect and stored. Touches no toolkit.
void InitLanguage();

// The persisted identifier ("LCID" of the application's value key).
// 0 when none is stored, or when the key was missing and has now been
// created; 2052 when the key can neither be opened nor created.
int ReadLanguageId();

// Stores the identifier if the application key exists; never creates it.
void WriteLanguageId(int id);

// The user's interface language as a Windows locale identifier, taken from
// LANGUAGE / LC_ALL / LC_MESSAGES / LANG the way gettext chooses: en_US 1033,
// en_GB 2057, de 1031, ja 1041, zh_CN 2052 ...; the C and POSIX locales are
// English (1033).
int UserDefaultUILanguage();

// Maps one locale name ("de_AT.UTF-8@euro", "zh_TW", "en") to a locale
// identifier; unknown languages give 4096 (a custom locale, not English).
int LocaleNameToLanguageId(const std::string& locale);

// The path of a language's text file.
std::string LanguageFilePath(int id);

// One interface text of the current language, UTF-8, at most 259 code
// points; empty when the file, the section or the key is missing. Read anew
// at every call.
std::string LoadLanText(const std::string& section, int key);

// The name a macro list shows for a stored macro name: a default name made
// under another language ("Custom3", "自定義3 複製") is shown with the
// current language's words. Other names come back unchanged.
std::string LocalizeDefaultName(const std::string& name);

}  // namespace zq
