#pragma once
// Driving real windows from a test: the X tools (xdotool, import) run as
// child processes while the UI thread keeps pumping, because SDL only sees
// what the tools do when its thread reads events.

#include <functional>
#include <optional>
#include <string>

#include "ui/base/bitmap.h"
#include "ui/base/geometry.h"
#include "ui/host/host.h"

namespace ztest::desktop {

// Retrieves and dispatches messages until `done` answers true or
// `timeoutMs` passes; answers `done()` at the end.
bool PumpUntil(zui::IUiHost& host, const std::function<bool()>& done, int timeoutMs = 3000);
void PumpFor(zui::IUiHost& host, int ms);

// Runs a shell command to its end while pumping; its exit code.
int RunWhilePumping(zui::IUiHost& host, const std::string& command);
// Runs a shell command while pumping and answers its standard output.
std::string OutputWhilePumping(zui::IUiHost& host, const std::string& command);

// The X window id of the visible window titled exactly `title`, waiting
// up to `timeoutMs` for it to be mapped; nullopt when none appears.
std::optional<unsigned long> FindXWindow(zui::IUiHost& host, const std::string& title, int timeoutMs = 3000);

// What `xdotool getwindowgeometry` says: the position on the screen and
// the size.
std::optional<zui::Rect> XGeometry(zui::IUiHost& host, unsigned long xWindow);

// `import` of a window (or of the root window's `crop` area), saved under
// the build tree's artifacts folder as `name` and read back.
zui::Bitmap Screenshot(zui::IUiHost& host, unsigned long xWindow, const std::string& name);
zui::Bitmap ScreenshotOfScreen(zui::IUiHost& host, const zui::Rect& crop, const std::string& name);

// Pixels that differ between two bitmaps of one size, the alpha channel
// ignored; -1 for different sizes.
long DifferentPixels(const zui::Bitmap& a, const zui::Bitmap& b);

}  // namespace ztest::desktop
