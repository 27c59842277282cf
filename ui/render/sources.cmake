list(APPEND ZAVIZ_UI_SOURCES
  render/bitmap.cpp
)
