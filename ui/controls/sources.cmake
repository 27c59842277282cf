# The control base: state and layout hints, the attribute vocabulary, painting;
# the leaf controls built on it.
list(APPEND ZAVIZ_UI_SOURCES
  controls/control.cpp
  controls/control_attributes.cpp
  controls/control_paint.cpp
  controls/label.cpp
  controls/text.cpp
  controls/button.cpp
  controls/button_paint.cpp
  controls/progress.cpp
  controls/ring.cpp
)
