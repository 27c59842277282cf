# Settings shared by every target of the tree.

if(WIN32)
  set(ZAVIZ_PLATFORM win32)
else()
  set(ZAVIZ_PLATFORM posix)
endif()

add_library(zaviz_options INTERFACE)
target_include_directories(zaviz_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(zaviz_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wno-unused-parameter>)
if(WIN32)
  target_compile_definitions(zaviz_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

if(ZAVIZ_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  if(ZAVIZ_BUILD_FUZZERS)
    # Libraries carry coverage counters so the fuzzers see inside them; only
    # the fuzz targets link libFuzzer's own main.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
elseif(ZAVIZ_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# zaviz_add_library(NAME SOURCES... [LIBS ...]) — one static library per subsystem.
function(zaviz_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC zaviz_options ${ARG_LIBS})
endfunction()

# stb is header-only and lives in /usr/include/stb. The cross compiler must not
# see the rest of /usr/include, so expose that one folder through a link.
add_library(zaviz_stb INTERFACE)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/third_party)
if(NOT EXISTS ${CMAKE_BINARY_DIR}/third_party/stb)
  file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/third_party/stb SYMBOLIC)
endif()
target_include_directories(zaviz_stb SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party)
