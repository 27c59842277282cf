list(APPEND ZAVIZ_UI_SOURCES
  host/host.cpp
  host/emulated/emulated_default_proc.cpp
  host/emulated/emulated_events.cpp
  host/emulated/emulated_input.cpp
  host/emulated/emulated_queue.cpp
  host/emulated/emulated_windows.cpp
  host/headless/headless_host.cpp
  host/headless/memory_backend.cpp
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
