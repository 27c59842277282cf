# The skin reader: parse time against skin size (Google Benchmark fits the
# complexity; it should come out as O(N)).
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(ui_resources_bench ${CMAKE_CURRENT_LIST_DIR}/ui_resources_bench.cpp)
  target_link_libraries(ui_resources_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
endif()
