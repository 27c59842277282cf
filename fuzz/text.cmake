zaviz_add_fuzzer(text_layout_fuzzer SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_layout_fuzzer.cpp LIBS zaviz_ui RUNS 20000)
