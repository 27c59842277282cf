#include "ui/resources/linux/svg_library.h"

#include <dlfcn.h>

namespace zui::svg {
namespace {

// The runtime names of the library Debian's librsvg2-2 installs (it brings
// cairo and glib as its own dependencies, where dlsym finds them too).
constexpr const char* kLibraryNames[] = {"librsvg-2.so.2", "librsvg-2.so"};

template <typename Function>
bool Find(void* handle, const char* name, Function*& into) {
  into = reinterpret_cast<Function*>(dlsym(handle, name));
  return into != nullptr;
}

bool FindAll(void* handle, Library& l) {
  return Find(handle, "g_object_unref", l.g_object_unref) && Find(handle, "g_error_free", l.g_error_free) &&
         Find(handle, "rsvg_handle_new_from_data", l.rsvg_handle_new_from_data) &&
         Find(handle, "rsvg_handle_get_intrinsic_size_in_pixels", l.rsvg_handle_get_intrinsic_size_in_pixels) &&
         Find(handle, "rsvg_handle_get_intrinsic_dimensions", l.rsvg_handle_get_intrinsic_dimensions) &&
         Find(handle, "rsvg_handle_render_document", l.rsvg_handle_render_document) &&
         Find(handle, "cairo_image_surface_create", l.cairo_image_surface_create) &&
         Find(handle, "cairo_surface_status", l.cairo_surface_status) &&
         Find(handle, "cairo_surface_destroy", l.cairo_surface_destroy) &&
         Find(handle, "cairo_surface_flush", l.cairo_surface_flush) &&
         Find(handle, "cairo_image_surface_get_data", l.cairo_image_surface_get_data) &&
         Find(handle, "cairo_image_surface_get_stride", l.cairo_image_surface_get_stride) &&
         Find(handle, "cairo_create", l.cairo_create) && Find(handle, "cairo_destroy", l.cairo_destroy);
}

const Library* Load() {
  static Library library;
  for (const char* name : kLibraryNames) {
    // Kept open for the life of the process: glib cannot be unloaded.
    if (void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL)) return FindAll(handle, library) ? &library : nullptr;
  }
  return nullptr;
}

}  // namespace

const Library* OpenLibrary() {
  static const Library* const library = Load();
  return library;
}

}  // namespace zui::svg
