# The resources and markup part of the toolkit: settings, the archive reader,
# document and image loading, the resource tables and the skin reader.
find_package(ZLIB REQUIRED)

list(APPEND ZAVIZ_UI_SOURCES
  core/wide_text.cpp
  core/skin_markup.cpp
  core/skin_markup_parser.cpp
  core/skin_markup_node.cpp
  core/zip_archive.cpp
  core/native_resources.cpp
  core/${ZAVIZ_PLATFORM}/native_resources.cpp
  core/resource_settings.cpp
  core/document_reader.cpp
  core/image_loader.cpp
  core/stb_image_impl.cpp
  core/resource_tables.cpp
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
  list(APPEND ZAVIZ_UI_SOURCES core/linux/svg_renderer.cpp)
  list(APPEND ZAVIZ_UI_LIBS PkgConfig::RSVG)
else()
  list(APPEND ZAVIZ_UI_SOURCES core/svg_renderer_none.cpp)
endif()

# The paint manager, notifications and the message loop.
list(APPEND ZAVIZ_UI_SOURCES
  core/paint_manager.cpp
  core/paint_manager_focus.cpp
  core/paint_manager_input.cpp
  core/paint_manager_loop.cpp
  core/paint_manager_notify.cpp
  core/paint_manager_paint.cpp
  core/paint_manager_settings.cpp
  core/paint_manager_timers.cpp
  core/notify_pump.cpp
)

# The skin builder and the control factory: skin documents become window
# resources, window settings and control trees.
list(APPEND ZAVIZ_UI_SOURCES
  core/control_factory.cpp
  core/skin_builder.cpp
  core/skin_builder_resources.cpp
  core/skin_builder_window.cpp
  core/skin_builder_controls.cpp
)
