# Text drawing with the platform engine: a frame's worth of labels and the
# measuring a wrapped text control does.
find_package(benchmark REQUIRED)
add_executable(bench_text text_bench.cpp)
target_link_libraries(bench_text PRIVATE zaviz_options zaviz_ui benchmark::benchmark benchmark::benchmark_main)
