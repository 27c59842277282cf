# Text: portable layout shared by both engines, plus the platform's engine.
list(APPEND ZAVIZ_UI_SOURCES
  text/coverage_blend.cpp
  text/text_chars.cpp
  text/text_layout.cpp
)
if(WIN32)
  list(APPEND ZAVIZ_UI_SOURCES text/gdi/gdi_text_engine.cpp)
  list(APPEND ZAVIZ_UI_LIBS gdi32)
else()
  find_package(Freetype REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET GLOBAL fontconfig)
  set_target_properties(Freetype::Freetype PROPERTIES IMPORTED_GLOBAL TRUE)
  list(APPEND ZAVIZ_UI_SOURCES
    text/freetype/font_matcher.cpp
    text/freetype/freetype_font.cpp
    text/freetype/freetype_text_engine.cpp
  )
  list(APPEND ZAVIZ_UI_LIBS Freetype::Freetype PkgConfig::FONTCONFIG)
endif()
