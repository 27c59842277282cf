list(APPEND ZAVIZ_UI_SOURCES
  host/host.cpp
  host/headless/headless_default_proc.cpp
  host/headless/headless_host.cpp
  host/headless/headless_input.cpp
  host/headless/headless_queue.cpp
)
