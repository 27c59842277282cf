# Tearing down a named tree of 1,000 and of 10,000 controls in a window, and
# the ratio of the two (linear teardown: near 10).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(ui_teardown_bench ${CMAKE_CURRENT_LIST_DIR}/ui_teardown_bench.cpp ${PROJECT_SOURCE_DIR}/tests/support/skin_test_window.cpp)
  target_link_libraries(ui_teardown_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
endif()
