#include "app/repair/language.h"

#include <atomic>
#include <unordered_map>

#include "app/repair/english_texts.h"

namespace zapp {
namespace {

std::atomic<Language> g_language{Language::kChinese};

bool SpeaksChinese(std::string_view locale) { return locale.rfind("zh", 0) == 0; }

// The first of the variables that is set, as setlocale(LC_MESSAGES, "") finds it.
std::string_view MessagesLocale(const LocaleVariables& locale) {
  if (!locale.lcAll.empty()) return locale.lcAll;
  if (!locale.lcMessages.empty()) return locale.lcMessages;
  return locale.lang;
}

const std::unordered_map<std::wstring_view, const wchar_t*>& EnglishTable() {
  static const std::unordered_map<std::wstring_view, const wchar_t*> table = [] {
    std::unordered_map<std::wstring_view, const wchar_t*> map;
    for (size_t i = 0; i < kEnglishTextCount; ++i) map.emplace(kEnglishTexts[i].chinese, kEnglishTexts[i].english);
    return map;
  }();
  return table;
}

const wchar_t* EnglishOf(std::wstring_view text) {
  const auto& table = EnglishTable();
  const auto found = table.find(text);
  return found == table.end() ? nullptr : found->second;
}

}  // namespace

Language LanguageFromLocale(const LocaleVariables& locale) {
  const std::string_view messages = MessagesLocale(locale);
  if (messages == "C" || messages == "POSIX" || messages.rfind("C.", 0) == 0) return Language::kEnglish;
  // LANGUAGE lists preferences; a language we have no face for passes to the next.
  std::string_view list = locale.language;
  while (!list.empty()) {
    const size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (SpeaksChinese(entry)) return Language::kChinese;
    if (entry.rfind("en", 0) == 0) return Language::kEnglish;
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  return SpeaksChinese(messages) ? Language::kChinese : Language::kEnglish;
}

std::optional<Language> ParseLanguageName(std::string_view name) {
  if (name == "zh") return Language::kChinese;
  if (name == "en") return Language::kEnglish;
  return std::nullopt;
}

void SetLanguage(Language language) { g_language.store(language); }
Language CurrentLanguage() { return g_language.load(); }

const wchar_t* Tr(const wchar_t* text) {
  if (text == nullptr || CurrentLanguage() == Language::kChinese) return text;
  const wchar_t* english = EnglishOf(text);
  return english != nullptr ? english : text;
}

std::wstring Tr(std::wstring_view text) {
  if (CurrentLanguage() == Language::kChinese) return std::wstring(text);
  const wchar_t* english = EnglishOf(text);
  return english != nullptr ? std::wstring(english) : std::wstring(text);
}

}  // namespace zapp
