#pragma once
// The toolkit's own control classes, one table: the class name as written in
// code ("CButtonUI") and a maker. The control factory starts from it; this
// folder sits above every control folder, so nothing below needs to know
// the whole set, and no class relies on registering itself from a static
// initialiser (which a static library would drop at link time).

#include <span>
#include <string_view>

namespace zui {

class CControlUI;

struct BuiltinControl {
  std::wstring_view className;
  CControlUI* (*create)();
};

std::span<const BuiltinControl> BuiltinControls();

}  // namespace zui
