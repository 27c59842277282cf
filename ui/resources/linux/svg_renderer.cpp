// SVG images through librsvg, drawn by cairo straight into our pixel layout:
// cairo's ARGB32 is a premultiplied native-endian 0xAARRGGBB word, which is
// what a Bitmap holds.

#include <cmath>
#include <cstring>

#include "ui/resources/image_loader.h"
#include "ui/resources/linux/svg_library.h"

namespace zui {
namespace {

constexpr int kMaxSide = 16384;

struct HandleOwner {
  const svg::Library& lib;
  RsvgHandle* handle = nullptr;
  ~HandleOwner() {
    if (handle != nullptr) lib.g_object_unref(handle);
  }
};

Size IntrinsicSize(const svg::Library& lib, RsvgHandle* handle) {
  gdouble width = 0, height = 0;
  if (lib.rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) && width > 0 && height > 0) {
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
  }
  gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
  RsvgLength w{}, h{};
  RsvgRectangle viewBox{};
  lib.rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &viewBox);
  if (hasViewBox && viewBox.width > 0 && viewBox.height > 0) {
    return {static_cast<int>(std::ceil(viewBox.width)), static_cast<int>(std::ceil(viewBox.height))};
  }
  return {};
}

}  // namespace

std::unique_ptr<SkinImage> RenderSvgImage(const uint8_t* bytes, size_t size, Size target) {
  if (bytes == nullptr || size == 0) return nullptr;
  const svg::Library* library = svg::OpenLibrary();
  if (library == nullptr) return nullptr;
  const svg::Library& lib = *library;
  HandleOwner owner{lib};
  GError* error = nullptr;
  owner.handle = lib.rsvg_handle_new_from_data(bytes, size, &error);
  if (owner.handle == nullptr) {
    if (error != nullptr) lib.g_error_free(error);
    return nullptr;
  }
  const Size pixels = (target.cx > 0 && target.cy > 0) ? target : IntrinsicSize(lib, owner.handle);
  if (pixels.cx <= 0 || pixels.cy <= 0 || pixels.cx > kMaxSide || pixels.cy > kMaxSide) return nullptr;

  cairo_surface_t* surface = lib.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels.cx, pixels.cy);
  if (lib.cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    lib.cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_t* cr = lib.cairo_create(surface);
  const RsvgRectangle viewport{0, 0, static_cast<double>(pixels.cx), static_cast<double>(pixels.cy)};
  const bool drawn = lib.rsvg_handle_render_document(owner.handle, cr, &viewport, &error);
  if (error != nullptr) lib.g_error_free(error);
  lib.cairo_destroy(cr);
  lib.cairo_surface_flush(surface);

  std::unique_ptr<SkinImage> image;
  if (drawn) {
    image = std::make_unique<SkinImage>();
    image->bitmap = Bitmap(pixels.cx, pixels.cy);
    image->width = pixels.cx;
    image->height = pixels.cy;
    const unsigned char* data = lib.cairo_image_surface_get_data(surface);
    const int stride = lib.cairo_image_surface_get_stride(surface);
    for (int y = 0; y < pixels.cy; ++y) {
      std::memcpy(image->bitmap.row(y), data + static_cast<size_t>(y) * stride, static_cast<size_t>(pixels.cx) * 4);
      for (int x = 0; x < pixels.cx && !image->hasAlpha; ++x) {
        if ((image->bitmap.row(y)[x] >> 24) != 0xFF) image->hasAlpha = true;
      }
    }
  }
  lib.cairo_surface_destroy(surface);
  return image;
}

}  // namespace zui
