#include "ui/resources/native_resources.h"

namespace zui {

// A Linux program carries no resource section: everything it embeds is
// registered by the program itself.
bool FindPlatformResource(NativeModule, std::wstring_view, unsigned, const uint8_t*&, size_t&) { return false; }
bool FindPlatformResource(NativeModule, std::wstring_view, std::wstring_view, const uint8_t*&, size_t&) {
  return false;
}

}  // namespace zui
