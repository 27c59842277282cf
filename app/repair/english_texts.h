#pragma once
// The English face: every Chinese text of the program and its skins beside
// its English wording. Placeholders ("{1}", "{}") are kept as they are.

#include <cstddef>

namespace zapp {

struct TranslatedText {
  const wchar_t* chinese;
  const wchar_t* english;
};

extern const TranslatedText kEnglishTexts[];
extern const size_t kEnglishTextCount;

}  // namespace zapp
