#include "sys/text_encoding.h"

// The Linux build's "system code page" is UTF-8.
namespace zsys {

std::wstring AnsiToWide(std::string_view ansi) { return Utf8ToWide(ansi); }
std::string WideToAnsi(std::wstring_view wide) { return WideToUtf8(wide); }

}  // namespace zsys
