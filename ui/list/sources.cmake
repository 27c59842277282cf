# The list family: the list, its header and body, and the row classes.
list(APPEND ZAVIZ_UI_SOURCES
  list/list.cpp
  list/list_attributes.cpp
  list/list_body.cpp
  list/list_container_element.cpp
  list/list_element.cpp
  list/list_events.cpp
  list/list_header.cpp
  list/list_header_item.cpp
  list/list_header_item_paint.cpp
  list/list_item_background.cpp
  list/list_label_element.cpp
  list/list_layout.cpp
  list/list_selection.cpp
  list/list_text_element.cpp
  list/list_text_style.cpp
)
