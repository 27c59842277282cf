# The renderer's readers of skin text: colours, rectangles, sizes and image
# descriptors, with the descriptor also drawn so odd rectangles reach the
# blitter.
zaviz_add_fuzzer(ui_render_parsers_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_render_parsers_fuzzer.cpp
  LIBS zaviz_ui
  RUNS 20000)
