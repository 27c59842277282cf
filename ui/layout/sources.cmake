# The container base: child list, floating children, painting and finding.
list(APPEND ZAVIZ_UI_SOURCES
  layout/container.cpp
  layout/container_layout.cpp
  layout/container_paint.cpp
)
