# Software renderer: a whole window frame and a small partial repaint.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
  add_executable(render_bench ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp)
  target_link_libraries(render_bench PRIVATE zaviz_options zaviz_ui benchmark::benchmark)
  # Once the platform text engine is part of the toolkit, frames are also
  # measured with real glyphs.
  if(EXISTS ${PROJECT_SOURCE_DIR}/ui/text/freetype/freetype_text_engine.cpp)
    target_compile_definitions(render_bench PRIVATE ZAVIZ_BENCH_REAL_TEXT=1)
  endif()
endif()
