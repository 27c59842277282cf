list(APPEND ZAVIZ_UI_SOURCES
  host/host.cpp
  host/display_scale.cpp
  host/icon_resources.cpp
  host/emulated/emulated_default_proc.cpp
  host/emulated/emulated_events.cpp
  host/emulated/emulated_input.cpp
  host/emulated/emulated_queue.cpp
  host/emulated/emulated_windows.cpp
  host/headless/headless_host.cpp
  host/headless/memory_backend.cpp
)

# Real windows on Linux: SDL2 under the user32 emulation. Only host/sdl/
# sees SDL's headers (and X11's, for window shapes).
if(NOT WIN32)
  find_package(SDL2 REQUIRED)
  list(APPEND ZAVIZ_UI_SOURCES
    host/sdl/sdl_backend.cpp
    host/sdl/sdl_display_dpi.cpp
    host/sdl/sdl_events.cpp
    host/sdl/sdl_host.cpp
    host/sdl/sdl_keys.cpp
    host/sdl/sdl_message_box.cpp
    host/sdl/sdl_pixels.cpp
    host/sdl/sdl_shape.cpp
  )
  list(APPEND ZAVIZ_UI_LIBS SDL2::SDL2)
  find_package(X11)
  if(X11_FOUND AND X11_Xext_FOUND)
    set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/sdl/sdl_shape.cpp APPEND PROPERTY COMPILE_DEFINITIONS ZAVIZ_HAVE_XSHAPE=1)
    set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/sdl/sdl_display_dpi.cpp APPEND PROPERTY COMPILE_DEFINITIONS ZAVIZ_HAVE_X11=1)
    list(APPEND ZAVIZ_UI_LIBS X11::X11 X11::Xext)
  endif()
endif()

# The Windows host: user32 and gdi32 directly.
if(WIN32)
  list(APPEND ZAVIZ_UI_SOURCES
    host/win32/win32_dib_surface.cpp
    host/win32/win32_host_windows.cpp
    host/win32/win32_host_placement.cpp
    host/win32/win32_host_queue.cpp
    host/win32/win32_host_paint.cpp
    host/win32/win32_host_system.cpp
  )
  list(APPEND ZAVIZ_UI_LIBS user32 gdi32)
endif()
