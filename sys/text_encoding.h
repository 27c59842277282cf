#pragma once
// Conversions between the program's wide UI strings and its narrow strings.
// "Ansi" is the system code page: CP_ACP on Windows, UTF-8 on Linux.

#include <string>
#include <string_view>

namespace zsys {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Joins UTF-16 surrogate pairs where wchar_t is 16 bits; a lone surrogate or
// an out-of-range value becomes U+FFFD.
std::u32string WideToCodePoints(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

}  // namespace zsys
