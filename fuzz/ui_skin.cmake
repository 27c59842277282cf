# The whole skin pipeline on damaged or hostile skins: reader, builder,
# attaching and one paint must neither crash nor leak.
zaviz_add_fuzzer(skin_pipeline_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/skin_pipeline_fuzzer.cpp
  LIBS zaviz_ui
  RUNS 5000)
