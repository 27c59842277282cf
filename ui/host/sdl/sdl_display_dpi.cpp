#include "ui/host/sdl/sdl_display_dpi.h"

#include <cstdlib>

#if ZAVIZ_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace zui {

#if ZAVIZ_HAVE_X11
namespace {

int ResourceDpi(Display* display) {
  const char* text = XGetDefault(display, "Xft", "dpi");
  if (text == nullptr) return 0;
  const double dpi = std::strtod(text, nullptr);
  return dpi >= 24 && dpi <= 960 ? static_cast<int>(dpi + 0.5) : 0;
}

int ScreenDpi(Display* display) {
  const int screen = DefaultScreen(display);
  const int millimetres = DisplayWidthMM(display, screen);
  if (millimetres <= 0) return 0;
  return static_cast<int>(DisplayWidth(display, screen) * 25.4 / millimetres + 0.5);
}

}  // namespace

int X11DesktopDpi() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  int dpi = ResourceDpi(display);
  if (dpi == 0) dpi = ScreenDpi(display);
  XCloseDisplay(display);
  return dpi;
}
#else
int X11DesktopDpi() { return 0; }
#endif

}  // namespace zui
