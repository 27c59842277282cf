# A 1,000-row list: layout, full paint and a wheel notch of scrolling, with
# the targets and the ratios to baselines measured in the same run.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(ui_list_bench ${CMAKE_CURRENT_LIST_DIR}/ui_list_bench.cpp ${PROJECT_SOURCE_DIR}/tests/support/skin_test_window.cpp)
  target_link_libraries(ui_list_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
endif()
