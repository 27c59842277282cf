#pragma once
// The program's window icons by resource number. Windows finds them among the
// executable's resources; elsewhere the program registers the pictures at
// start-up and hosts look them up here when a window asks for an icon.
// Any thread may call these; registering an id again replaces its picture.

#include <optional>

#include "ui/base/bitmap.h"

namespace zui {

// An empty bitmap is not an icon: registering one removes the id.
void RegisterIconResource(int id, Bitmap picture);
// A copy of the picture, nullopt when the id is not registered.
std::optional<Bitmap> FindIconResource(int id);

}  // namespace zui
