# The table of the toolkit's own control classes.
list(APPEND ZAVIZ_UI_SOURCES
  catalog/builtin_controls.cpp
)
