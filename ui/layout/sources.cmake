# The container base, the layouts, the tab layout and the scroll bar.
list(APPEND ZAVIZ_UI_SOURCES
  layout/container.cpp
  layout/container_events.cpp
  layout/container_layout.cpp
  layout/container_paint.cpp
  layout/container_scroll.cpp
  layout/horizontal_layout.cpp
  layout/scroll_bar.cpp
  layout/scroll_bar_events.cpp
  layout/scroll_bar_paint.cpp
  layout/tab_layout.cpp
  layout/vertical_layout.cpp
)
