// The choice of the face and the English table: a wrong locale rule or a
// translation that drops a value would show only to users of one face.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "app/repair/english_texts.h"
#include "app/repair/language.h"
#include "app/repair/repair_texts.h"
#include "app/repair/start_facts.h"

namespace zapp {
namespace {

TEST(LanguageChoice, FollowsTheLocaleVariablesAsTheCLibraryReadsThem) {
  const Language zh = Language::kChinese, en = Language::kEnglish;
  struct Case {
    LocaleVariables locale;
    Language expected;
  };
  const Case cases[] = {
      {{"", "", "", "zh_CN.UTF-8"}, zh},
      {{"", "", "", "zh_TW.Big5"}, zh},
      {{"", "", "", "en_US.UTF-8"}, en},
      {{"", "", "", "de_DE.UTF-8"}, en},
      {{"", "", "", ""}, en},
      {{"", "", "", "C.UTF-8"}, en},
      {{"", "en_GB.UTF-8", "", "zh_CN.UTF-8"}, en},  // LC_ALL before LANG
      {{"", "", "zh_CN.UTF-8", "en_US.UTF-8"}, zh},  // LC_MESSAGES before LANG
      {{"", "zh_CN.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}, zh},
      {{"zh_CN:en", "", "", "en_US.UTF-8"}, zh},     // LANGUAGE's list first
      {{"de:fr:zh_TW", "", "", "en_US.UTF-8"}, zh},  // faces we lack are passed over
      {{"en:zh_CN", "", "", "zh_CN.UTF-8"}, en},
      {{"de", "", "", "zh_CN.UTF-8"}, zh},      // nothing usable in the list: the locale
      {{"zh_CN", "C", "", "zh_CN.UTF-8"}, en},  // the C locale ignores LANGUAGE
      {{"zh_CN", "", "", "POSIX"}, en},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageFromLocale(c.locale), c.expected)
        << "LANGUAGE=" << c.locale.language << " LC_ALL=" << c.locale.lcAll << " LC_MESSAGES=" << c.locale.lcMessages
        << " LANG=" << c.locale.lang;
  }
  EXPECT_EQ(ParseLanguageName("zh"), zh);
  EXPECT_EQ(ParseLanguageName("en"), en);
  EXPECT_EQ(ParseLanguageName("EN"), std::nullopt);
  EXPECT_EQ(ParseLanguageName(""), std::nullopt);
}

std::multiset<std::wstring> Placeholders(const std::wstring& text) {
  static const std::wregex placeholder(L"\\{[1-9]?\\}");
  std::multiset<std::wstring> found;
  for (auto it = std::wsregex_iterator(text.begin(), text.end(), placeholder); it != std::wsregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
}

TEST(EnglishTable, EveryEntryIsEnglishKeepsItsValuesAndIsListedOnce) {
  std::set<std::wstring> keys;
  for (size_t i = 0; i < kEnglishTextCount; ++i) {
    const std::wstring chinese = kEnglishTexts[i].chinese, english = kEnglishTexts[i].english;
    EXPECT_TRUE(keys.insert(chinese).second) << "listed twice: entry " << i;
    EXPECT_EQ(Placeholders(chinese), Placeholders(english)) << "entry " << i << " names other values";
    for (wchar_t c : english) EXPECT_LT(c, 0x2E80) << "entry " << i << " is not English";
    EXPECT_EQ(chinese.back() == L'\n', english.back() == L'\n') << "entry " << i;
  }
}

TEST(EnglishTable, TranslatesProgramTextsAndTheirFillingsAndLeavesOthersAlone) {
  SetLanguage(Language::kEnglish);
  EXPECT_STREQ(Tr(kNoWiredCardText), L"No wired network card was found!");
  EXPECT_EQ(FillText(kPortBusyText, {}), L"The file server could not start. Make sure port 69 is free!");
  EXPECT_EQ(Tr(std::wstring(L"eth0")), L"eth0") << "a name is no program text";
  EXPECT_STREQ(Tr(L"Repaired"), L"Repaired") << "an English text stays";
  SetLanguage(Language::kChinese);
  EXPECT_STREQ(Tr(kNoWiredCardText), kNoWiredCardText);
}

}  // namespace
}  // namespace zapp
