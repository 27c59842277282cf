# The baseline of bench/window_start: a bare SDL2 window, filled and shown once.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(SDL2 REQUIRED)
  add_executable(bare_sdl_window ${CMAKE_CURRENT_LIST_DIR}/bare_sdl_window.cpp)
  target_link_libraries(bare_sdl_window PRIVATE SDL2::SDL2)
endif()
