#pragma once
// Input helpers shared by the list family.

#include "ui/base/notify.h"

namespace zui {

// The mouse kinds of InputEvent, mouse move to scroll wheel.
inline bool IsMouseEventKind(int type) { return type >= kEventMouseMove && type <= kEventScrollWheel; }

}  // namespace zui
