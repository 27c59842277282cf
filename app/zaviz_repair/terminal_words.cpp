#include "app/zaviz_repair/terminal_words.h"

#include <vector>

#include "app/repair/language.h"
#include "app/repair/start_facts.h"
#include "sys/text_encoding.h"

namespace zaviz_repair {

std::string Words(const wchar_t* text) { return zsys::WideToUtf8(zapp::Tr(text)); }

std::string Words(const wchar_t* pattern, std::initializer_list<std::string> values) {
  std::vector<std::wstring> wide;
  for (const std::string& value : values) wide.push_back(zsys::Utf8ToWide(value));
  return zsys::WideToUtf8(zapp::FillText(pattern, wide));
}

}  // namespace zaviz_repair
