zaviz_add_fuzzer(text_layout_fuzzer SOURCES text_layout_fuzzer.cpp LIBS zaviz_ui RUNS 20000)
