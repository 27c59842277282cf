# The skin reader and the zip reader take bytes from files and archives that
# may be damaged; both must fail cleanly on anything.
zaviz_add_fuzzer(ui_resources_markup_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_resources_markup_fuzzer.cpp
  LIBS zaviz_ui
  RUNS 30000)
zaviz_add_fuzzer(ui_resources_zip_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_resources_zip_fuzzer.cpp
  LIBS zaviz_ui
  RUNS 30000)
