# A 200-control skin: building it, attaching and painting it, and mouse
# moves routed over it by the paint manager.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(ui_tree_bench ${CMAKE_CURRENT_LIST_DIR}/ui_tree_bench.cpp ${PROJECT_SOURCE_DIR}/tests/support/skin_test_window.cpp)
  target_link_libraries(ui_tree_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
endif()
