list(APPEND ZAVIZ_UI_SOURCES
  render/canvas.cpp
  render/clip_record.cpp
  render/descriptor_cache.cpp
  render/fill.cpp
  render/formatted_text.cpp
  render/image_stretch.cpp
  render/lines.cpp
  render/nine_grid.cpp
  render/paint_text.cpp
  render/rotated_image.cpp
  render/round_rect.cpp
  render/skin_renderer_parse.cpp
  render/value_format.cpp
)
