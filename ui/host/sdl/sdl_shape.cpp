#include "ui/host/sdl/sdl_shape.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(ZAVIZ_HAVE_XSHAPE) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#define ZAVIZ_SHAPE_X11 1
#endif

namespace zui::sdl {
namespace {

// How far the corner ellipse cuts into row `y` (0 = the top row) of a
// corner zone `radiusY` rows high, for a horizontal radius `radiusX`.
int CornerInset(int y, double radiusX, double radiusY) {
  double d = (radiusY - (y + 0.5)) / radiusY;  // 1 at the outer edge, 0 where the curve ends
  double inside = 1.0 - d * d;
  if (inside < 0) inside = 0;
  return static_cast<int>(std::lround(radiusX - radiusX * std::sqrt(inside)));
}

#ifdef ZAVIZ_SHAPE_X11
short ClampShort(int v) { return static_cast<short>(std::clamp(v, -32768, 32767)); }
unsigned short ClampExtent(int v) { return static_cast<unsigned short>(std::clamp(v, 0, 65535)); }
#endif

#ifdef ZAVIZ_SHAPE_X11
XErrorHandler previousErrorHandler = nullptr;

// A request that names a window the server has just destroyed (the window
// manager and we both act on a closing window) is harmless; Xlib's default
// answer to it would end the program.
int IgnoreVanishedWindows(Display* display, XErrorEvent* event) {
  constexpr unsigned char kSetInputFocus = 42;  // focus on a window just unmapped: BadMatch
  if (event->error_code == BadWindow || event->error_code == BadDrawable) return 0;
  if (event->error_code == BadMatch && event->request_code == kSetInputFocus) return 0;
  return previousErrorHandler != nullptr ? previousErrorHandler(display, event) : 0;
}
#endif

}  // namespace

void TolerateVanishedWindows() {
#ifdef ZAVIZ_SHAPE_X11
  static bool installed = false;
  if (installed) return;
  installed = true;
  previousErrorHandler = XSetErrorHandler(&IgnoreVanishedWindows);
#endif
}

std::vector<Rect> RoundRegionBands(const Rect& rect, Size ellipse) {
  const Rect area{rect.left, rect.top, SaturatedSub(rect.right, 1), SaturatedSub(rect.bottom, 1)};
  if (area.IsEmpty()) return {};
  const int width = area.Width();
  const int height = area.Height();
  const int cornerW = std::min(std::max(ellipse.cx, 0), width);
  const int cornerH = std::min(std::max(ellipse.cy, 0), height);
  if (cornerW < 2 || cornerH < 2) return {area};

  const double radiusX = cornerW / 2.0;
  const double radiusY = cornerH / 2.0;
  const int zone = cornerH / 2;  // rows at the top (and bottom) that the corners cut
  std::vector<Rect> bands;
  auto addRow = [&](int row, int inset) {
    const int top = area.top + row;
    const Rect band{area.left + inset, top, area.right - inset, top + 1};
    if (band.IsEmpty()) return;
    if (!bands.empty() && bands.back().left == band.left && bands.back().right == band.right &&
        bands.back().bottom == band.top) {
      bands.back().bottom = band.bottom;  // same span as the row above: one band
    } else {
      bands.push_back(band);
    }
  };
  for (int row = 0; row < height; ++row) {
    int inset = 0;
    if (row < zone) {
      inset = CornerInset(row, radiusX, radiusY);
    } else if (row >= height - zone) {
      inset = CornerInset(height - 1 - row, radiusX, radiusY);
    }
    addRow(row, inset);
  }
  return bands;
}

bool ApplyWindowShape(SDL_Window* window, const std::vector<Rect>* bands) {
#ifdef ZAVIZ_SHAPE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  int eventBase = 0;
  int errorBase = 0;
  if (!XShapeQueryExtension(display, &eventBase, &errorBase)) return false;
  if (bands == nullptr) {
    XShapeCombineMask(display, info.info.x11.window, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> rects;
    rects.reserve(bands->size());
    for (const Rect& band : *bands) {
      rects.push_back(
          {ClampShort(band.left), ClampShort(band.top), ClampExtent(band.Width()), ClampExtent(band.Height())});
    }
    XShapeCombineRectangles(display, info.info.x11.window, ShapeBounding, 0, 0, rects.data(),
                            static_cast<int>(rects.size()), ShapeSet, YXBanded);
  }
  XFlush(display);
  return true;
#else
  (void)window;
  (void)bands;
  return false;
#endif
}

}  // namespace zui::sdl
