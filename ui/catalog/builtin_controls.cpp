#include "ui/catalog/builtin_controls.h"

#include "ui/controls/control.h"
#include "ui/layout/container.h"

namespace zui {
namespace {

template <class Control>
CControlUI* Make() {
  return new Control;
}

// Keep in the order of the folders: controls, layouts, the list family.
const BuiltinControl kBuiltinControls[] = {
    {L"CControlUI", &Make<CControlUI>},
    {L"CContainerUI", &Make<CContainerUI>},
};

}  // namespace

std::span<const BuiltinControl> BuiltinControls() { return kBuiltinControls; }

}  // namespace zui
