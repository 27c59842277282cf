#pragma once
// The program's texts in the current face, as UTF-8 for the console.

#include <initializer_list>
#include <string>

namespace zaviz_repair {

std::string Words(const wchar_t* text);
// `pattern` with "{1}", "{2}"... replaced by the UTF-8 `values` in order.
std::string Words(const wchar_t* pattern, std::initializer_list<std::string> values);

}  // namespace zaviz_repair
