#pragma once
// A control class's own attributes as a table: name -> setter. Each class
// looks in its own table first and hands every other name to its base
// class's SetAttribute, so a derived class extends the vocabulary without
// repeating it. Names match ignoring ASCII case unless an entry says exact.

#include <span>
#include <string_view>

#include "ui/base/wide_text.h"

namespace zui {

template <class Control>
struct AttributeEntry {
  std::wstring_view name;
  void (*apply)(Control& control, std::wstring_view value);
  bool exactCase = false;
};

// Applies the first entry named `name`; false when the table has none.
template <class Control>
bool ApplyAttributeEntry(std::span<const AttributeEntry<Control>> table, Control& control, std::wstring_view name,
                         std::wstring_view value) {
  for (const AttributeEntry<Control>& entry : table) {
    if (entry.exactCase ? name == entry.name : EqualsIgnoreAsciiCase(name, entry.name)) {
      entry.apply(control, value);
      return true;
    }
  }
  return false;
}

}  // namespace zui
