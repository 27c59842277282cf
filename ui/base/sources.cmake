# Foundations every other part of the toolkit stands on: geometry, the Win32
# message values, notification records, wide text, saturating arithmetic and
# the pixel buffer.
list(APPEND ZAVIZ_UI_SOURCES
  base/bitmap.cpp
  base/wide_text.cpp
)
