# The control base: state and layout hints, the attribute vocabulary, painting.
list(APPEND ZAVIZ_UI_SOURCES
  controls/control.cpp
  controls/control_attributes.cpp
  controls/control_paint.cpp
)
