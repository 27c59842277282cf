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
  // FillText takes at most the values a text names; the tables name no more than four.
  wide.resize(4);
  return zsys::WideToUtf8(zapp::FillText(pattern, {wide[0], wide[1], wide[2], wide[3]}));
}

}  // namespace zaviz_repair
