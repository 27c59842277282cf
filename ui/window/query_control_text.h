#pragma once
// Asked for the text of a control whose text is a resource identifier; a
// window that keeps no texts of its own answers none.

#include <string>
#include <string_view>

namespace zui {

class IQueryControlText {
 public:
  virtual ~IQueryControlText() = default;
  // Null: no text for this identifier and type.
  virtual const std::wstring* QueryControlText(std::wstring_view id, std::wstring_view type) = 0;
};

}  // namespace zui
