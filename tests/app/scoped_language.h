#pragma once
// A test's face, put back when the test ends.

#include "app/repair/language.h"

namespace zapp::testing {

class ScopedLanguage {
 public:
  explicit ScopedLanguage(Language language) : before_(CurrentLanguage()) { SetLanguage(language); }
  ~ScopedLanguage() { SetLanguage(before_); }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;

 private:
  Language before_;
};

}  // namespace zapp::testing
