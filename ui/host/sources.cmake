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
