# The resources and markup part of the toolkit: settings, the archive reader,
# document and image loading, the resource tables and the skin reader.
find_package(ZLIB REQUIRED)

list(APPEND ZAVIZ_UI_SOURCES
  resources/skin_markup.cpp
  resources/skin_markup_parser.cpp
  resources/skin_markup_node.cpp
  resources/zip_archive.cpp
  resources/native_resources.cpp
  resources/${ZAVIZ_PLATFORM}/native_resources.cpp
  resources/resource_settings.cpp
  resources/document_reader.cpp
  resources/image_loader.cpp
  resources/scaled_image.cpp
  resources/stb_image_impl.cpp
  resources/png_writer.cpp
  resources/resource_tables.cpp
)
list(APPEND ZAVIZ_UI_LIBS ZLIB::ZLIB zaviz_stb)

# SVG images are optional: drawn through librsvg where it is installed.
set(ZAVIZ_UI_HAS_SVG OFF CACHE INTERNAL "")
if(NOT WIN32)
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(RSVG IMPORTED_TARGET librsvg-2.0)
  endif()
  if(RSVG_FOUND)
    set(ZAVIZ_UI_HAS_SVG ON CACHE INTERNAL "")
  endif()
endif()
if(ZAVIZ_UI_HAS_SVG)
  # Only the headers at build time: the library (with glib, cairo, pango) is
  # opened when the first SVG image is drawn, so programs whose skins have
  # none start without loading it.
  list(APPEND ZAVIZ_UI_SOURCES resources/linux/svg_renderer.cpp resources/linux/svg_library.cpp)
  list(APPEND ZAVIZ_UI_INCLUDES ${RSVG_INCLUDE_DIRS})
  list(APPEND ZAVIZ_UI_LIBS ${CMAKE_DL_LIBS})
else()
  list(APPEND ZAVIZ_UI_SOURCES resources/svg_renderer_none.cpp)
endif()
