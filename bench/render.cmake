# Software renderer: a whole window frame and a small partial repaint.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
  target_link_libraries(render_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
endif()
