#pragma once
// librsvg and the parts of cairo and glib that drawing an SVG needs, opened on
// first use. Linking them would load glib, cairo, pango and their kin into
// every program at start-up, though few skins have an SVG image.

#include <cairo.h>
#include <librsvg/rsvg.h>

namespace zui::svg {

struct Library {
  void (*g_object_unref)(gpointer);
  void (*g_error_free)(GError*);
  RsvgHandle* (*rsvg_handle_new_from_data)(const guint8*, gsize, GError**);
  gboolean (*rsvg_handle_get_intrinsic_size_in_pixels)(RsvgHandle*, gdouble*, gdouble*);
  void (*rsvg_handle_get_intrinsic_dimensions)(RsvgHandle*, gboolean*, RsvgLength*, gboolean*, RsvgLength*, gboolean*,
                                               RsvgRectangle*);
  gboolean (*rsvg_handle_render_document)(RsvgHandle*, cairo_t*, const RsvgRectangle*, GError**);
  cairo_surface_t* (*cairo_image_surface_create)(cairo_format_t, int, int);
  cairo_status_t (*cairo_surface_status)(cairo_surface_t*);
  void (*cairo_surface_destroy)(cairo_surface_t*);
  void (*cairo_surface_flush)(cairo_surface_t*);
  unsigned char* (*cairo_image_surface_get_data)(cairo_surface_t*);
  int (*cairo_image_surface_get_stride)(cairo_surface_t*);
  cairo_t* (*cairo_create)(cairo_surface_t*);
  void (*cairo_destroy)(cairo_t*);
};

// The library once it is open with every function found; null when it is not
// installed (SVG images then give no image). Safe from any thread.
const Library* OpenLibrary();

}  // namespace zui::svg
