list(APPEND ZAVIZ_UI_SOURCES
  host/host.cpp
  host/headless/headless_default_proc.cpp
  host/headless/headless_host.cpp
  host/headless/headless_input.cpp
  host/headless/headless_queue.cpp
)

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
