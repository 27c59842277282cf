#pragma once
// The program speaks Chinese or English. Its texts are written in Chinese
// (the constants of the *_texts.h headers and the skins); the English face
// looks each one up in its own table, keyed by the Chinese text, so a skin's
// text and a constant are translated the same way. The face is chosen once at
// start-up, before any thread starts.

#include <optional>
#include <string>
#include <string_view>

namespace zapp {

enum class Language { kChinese, kEnglish };

// The locale variables, in the order the C library reads them for messages.
struct LocaleVariables {
  std::string language;  // LANGUAGE: a colon-separated list of preferences
  std::string lcAll;
  std::string lcMessages;
  std::string lang;
};

// A zh* locale speaks Chinese, any other English; LANGUAGE's list is read
// first, as gettext does, unless the locale is "C"/"POSIX".
Language LanguageFromLocale(const LocaleVariables& locale);
// The user's language: the locale variables on Linux, the UI language on Windows.
Language SystemLanguage();
// "zh" or "en" (as --lang takes it).
std::optional<Language> ParseLanguageName(std::string_view name);

void SetLanguage(Language language);
Language CurrentLanguage();

// The current face's wording of a program text; a text the table does not
// hold (a name, a path, one already translated) comes back as it is.
const wchar_t* Tr(const wchar_t* text);
std::wstring Tr(std::wstring_view text);

}  // namespace zapp
