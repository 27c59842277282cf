// Parses arbitrary bytes as a skin document in each encoding and reads every
// element and attribute of whatever tree comes out.

#include <cstddef>
#include <cstdint>
#include <cwchar>

#include "ui/resources/skin_markup.h"

namespace {

size_t Visit(zui::CSkinMarkupNode node) {
  size_t touched = 0;
  for (; node.IsValid(); node = node.GetSibling()) {
    touched += std::wcslen(node.GetName());
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
      touched += std::wcslen(node.GetAttributeName(i)) + std::wcslen(node.GetAttributeValue(i));
      touched += std::wcslen(node.GetAttributeValue(node.GetAttributeName(i)));
    }
    wchar_t buffer[8];
    node.GetAttributeValue(L"name", buffer, 8);
    touched += node.HasAttribute(L"NAME") ? 1 : 0;
    touched += Visit(node.GetChild());
  }
  return touched;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int encoding = data[0] % 3;
  zui::CSkinMarkup markup;
  markup.SetPreserveWhitespace((data[0] & 4) == 0);
  if (markup.LoadFromMem(data + 1, size - 1, encoding)) {
    volatile size_t sink = Visit(markup.GetRoot());
    (void)sink;
  } else {
    volatile size_t sink = std::wcslen(markup.GetLastErrorMessage()) + std::wcslen(markup.GetLastErrorLocation());
    (void)sink;
  }
  return 0;
}
