#include "app/repair/language.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace zapp {

#ifdef _WIN32
Language SystemLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::kChinese : Language::kEnglish;
}
#else
namespace {
std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
}  // namespace

Language SystemLanguage() {
  return LanguageFromLocale({Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")});
}
#endif

}  // namespace zapp
