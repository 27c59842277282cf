# The skin reader and the zip reader take bytes from files and archives that
# may be damaged; both must fail cleanly on anything. Their sources are built
# into the fuzzers themselves so that libFuzzer sees their coverage (the
# library build is not instrumented for it).
find_package(ZLIB REQUIRED)
set(ui_core_fuzzed_sources
  ${PROJECT_SOURCE_DIR}/ui/core/wide_text.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/skin_markup.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/skin_markup_parser.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/skin_markup_node.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/zip_archive.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/native_resources.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/${ZAVIZ_PLATFORM}/native_resources.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/resource_settings.cpp
  ${PROJECT_SOURCE_DIR}/ui/core/document_reader.cpp)
zaviz_add_fuzzer(ui_core_markup_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_core_markup_fuzzer.cpp ${ui_core_fuzzed_sources}
  LIBS zaviz_sys ZLIB::ZLIB
  RUNS 30000)
zaviz_add_fuzzer(ui_core_zip_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_core_zip_fuzzer.cpp ${ui_core_fuzzed_sources}
  LIBS zaviz_sys ZLIB::ZLIB
  RUNS 30000)
