// The shadow's pixels: the skin's shadow image stretched around the window,
// or a soft edge computed from size, sharpness, darkness and colour.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "ui/render/canvas.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"
#include "ui/window/paint_manager.h"
#include "ui/window/shadow_ui.h"

namespace zui {
namespace {

// No window is wider or taller than this, so neither is its shadow; skin
// extents that would make one bigger give no shadow rather than an
// allocation of gigabytes.
constexpr int64_t kMaxShadowExtent = 32767;

bool FitsExtent(int64_t value) { return value > 0 && value <= kMaxShadowExtent; }
bool FitsOffset(int64_t value) { return value >= -kMaxShadowExtent && value <= kMaxShadowExtent; }

// Distance from (px, py) to the rectangle `core` with corners rounded by
// `radius`; 0 inside.
double DistanceToCore(double px, double py, const Rect& core, double radius) {
  const double cx = std::clamp(px, core.left + radius, core.right - radius);
  const double cy = std::clamp(py, core.top + radius, core.bottom - radius);
  const double d = std::hypot(px - cx, py - cy) - radius;
  return d > 0 ? d : 0;
}

}  // namespace

bool CShadowUI::Render(Size size, Bitmap& out, Point& offset) {
  return settings_.image.empty() ? RenderComputed(size, out, offset) : RenderImage(size, out, offset);
}

bool CShadowUI::RenderImage(Size size, Bitmap& out, Point& offset) {
  const int64_t reach = settings_.size;
  const Rect& extra = settings_.extents;
  const int64_t width = int64_t{size.cx} + 2 * reach + extra.left + extra.right;
  const int64_t height = int64_t{size.cy} + 2 * reach + extra.top + extra.bottom;
  const int64_t left = -(int64_t{extra.left} + reach);
  const int64_t top = -(int64_t{extra.top} + reach);
  if (!FitsExtent(width) || !FitsExtent(height) || !FitsOffset(left) || !FitsOffset(top)) return false;
  if (manager_ == nullptr) return false;
  const SkinImage* image = manager_->GetOrLoadImage(settings_.image, {}, 0);
  if (image == nullptr || image->bitmap.empty()) return false;

  out = Bitmap(static_cast<int>(width), static_cast<int>(height));
  Canvas canvas(out);
  const Rect whole{0, 0, out.width(), out.height()};
  const Rect source{0, 0, image->bitmap.width(), image->bitmap.height()};
  CSkinRenderer::PaintNineGrid(canvas, image->bitmap, whole, whole, source, settings_.imageCorner, false, 255, false,
                               false, false);
  offset = {static_cast<int>(left), static_cast<int>(top)};
  return true;
}

// The computed shadow. Its solid core is the bitmap shrunk by |size| on
// every side, shaped like the window's region (the round corners of the
// window's skin); outside the core the alpha falls off over |size| pixels:
//
//   alpha(d) = darkness * (1 - d / |size|) ^ k,   k = 8 / (sharpness + 4)
//
// where d is the distance of the pixel centre from the core. A higher
// sharpness gives a smaller exponent and so a harder edge (the default
// sharpness 5 is nearly linear, 0 is a soft quadratic fall-off). With a
// positive size the core is the window itself; a negative size makes a
// shadow smaller than the window, seen only where it is offset.
bool CShadowUI::RenderComputed(Size size, Bitmap& out, Point& offset) {
  const int reach = std::abs(static_cast<int>(settings_.size));
  if (reach == 0) return false;
  const int64_t width = int64_t{size.cx} + 2 * int64_t{settings_.size};
  const int64_t height = int64_t{size.cy} + 2 * int64_t{settings_.size};
  if (!FitsExtent(width) || !FitsExtent(height)) return false;

  out = Bitmap(static_cast<int>(width), static_cast<int>(height));
  Rect core{reach, reach, out.width() - reach, out.height() - reach};
  if (core.left > core.right) core.left = core.right = out.width() / 2;
  if (core.top > core.bottom) core.top = core.bottom = out.height() / 2;
  const Size round = manager_ != nullptr ? manager_->GetRoundCorner() : Size{};
  const double maxRadius = std::min(core.Width(), core.Height()) / 2.0;
  const double radius = std::clamp(std::min(round.cx, round.cy) / 2.0, 0.0, maxRadius);
  const double exponent = 8.0 / (settings_.sharpness + 4.0);
  const uint32_t rgb = settings_.color & 0x00FFFFFFu;

  for (int y = 0; y < out.height(); ++y) {
    uint32_t* row = out.row(y);
    for (int x = 0; x < out.width(); ++x) {
      const double d = DistanceToCore(x + 0.5, y + 0.5, core, radius);
      if (d >= reach) continue;
      const double fall = std::pow(1.0 - d / reach, exponent);
      const auto alpha = static_cast<uint32_t>(std::lround(settings_.darkness * fall));
      row[x] = pixel::Premultiply((alpha << 24) | rgb);
    }
  }
  offset = {settings_.offsetX - settings_.size, settings_.offsetY - settings_.size};
  return true;
}

}  // namespace zui
