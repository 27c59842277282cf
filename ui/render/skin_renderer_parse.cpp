// Reading colour values and image descriptors.

#include <algorithm>

#include "ui/base/wide_text.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

bool IsControlOrBlank(wchar_t c) { return static_cast<unsigned>(c) <= 32; }

Rect ReadRect(std::wstring_view value, IRenderResources* resources) {
  const Rect r = ParseRectValue(value);
  return resources ? ScaleRect(r, resources->DisplayScale()) : r;
}

void ApplyItem(ImageDrawInfo& info, std::wstring_view key, std::wstring_view value, IRenderResources* resources) {
  if (value.empty()) return;
  if (key == L"file" || key == L"res") {
    info.imageName.assign(value);
  } else if (key == L"restype") {
    info.resType.assign(value);
  } else if (key == L"dest") {
    info.dest = ReadRect(value, resources);
  } else if (key == L"source") {
    info.source = ReadRect(value, resources);
  } else if (key == L"corner") {
    info.corner = ReadRect(value, resources);
  } else if (key == L"padding") {
    info.padding = ReadRect(value, resources);
  } else if (key == L"mask") {
    if (value.front() == L'#') value.remove_prefix(1);
    info.mask = ParseHexValue(value);
  } else if (key == L"fade") {
    info.fade = static_cast<uint8_t>(ParseIntValue(value) & 0xFF);
  } else if (key == L"hole") {
    info.hole = ParseBoolValue(value);
  } else if (key == L"xtiled") {
    info.xTiled = ParseBoolValue(value);
  } else if (key == L"ytiled") {
    info.yTiled = ParseBoolValue(value);
  } else if (key == L"hsl") {
    info.hsl = ParseBoolValue(value);
  } else if (key == L"usesvg") {
    info.useSvg = ParseBoolValue(value);
  } else if (EqualsIgnoreCase(key, L"usesvgsrcsize")) {
    info.useSvgSrcSize = ParseBoolValue(value);
  } else if (key == L"nodpi") {
    info.noDpi = ParseBoolValue(value);
  } else if (key == L"size") {
    info.size = ParseSizeValue(value);
  } else if (key == L"align") {
    info.align.assign(value);
  }
}

// key='value' items; a malformed item ends the text quietly.
void ParseItems(ImageDrawInfo& info, std::wstring_view text, IRenderResources* resources) {
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && IsControlOrBlank(text[i])) ++i;
  };
  while (i < n) {
    skipBlanks();
    const size_t keyStart = i;
    while (i < n && text[i] != L'=' && !IsControlOrBlank(text[i])) ++i;
    const std::wstring_view key = text.substr(keyStart, i - keyStart);
    skipBlanks();
    if (i >= n || text[i] != L'=') return;
    ++i;
    skipBlanks();
    if (i >= n || text[i] != L'\'') return;
    ++i;
    const size_t valueStart = i;
    while (i < n && text[i] != L'\'') ++i;
    if (i >= n) return;
    ApplyItem(info, key, text.substr(valueStart, i - valueStart), resources);
    ++i;  // closing quote
    if (i >= n || text[i] != L' ' || i + 1 >= n) return;
    ++i;
  }
}

bool EndsWith(std::wstring_view text, std::wstring_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

uint32_t CSkinRenderer::ParseColorValue(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && IsControlOrBlank(text[i])) ++i;
  if (i < text.size() && text[i] == L'#') ++i;
  text.remove_prefix(i);
  if (text.find(L'%') == std::wstring_view::npos) return ParseHexValue(text);
  size_t used = 0;
  const uint32_t colour = ParseHexValue(text, &used);
  int percent = 100;
  if (used > 0) {
    size_t digits = 0;
    const int read = ParseIntValue(text.substr(used), &digits);
    if (digits > 0) percent = read;
  }
  // Out-of-range percentages would shift garbage into the alpha byte.
  percent = std::clamp(percent, 0, 100);
  return (static_cast<uint32_t>(percent * 255 / 100) << 24) | colour;
}

void CSkinRenderer::ParseImageDescriptor(ImageDrawInfo& info, std::wstring_view descriptor, std::wstring_view modifier,
                                         IRenderResources* resources) {
  info = ImageDrawInfo{};
  info.drawString.assign(descriptor);
  info.modifyString.assign(modifier);
  info.imageName.assign(descriptor);
  ParseItems(info, descriptor, resources);
  ParseItems(info, modifier, resources);
  if (EndsWith(info.imageName, L".svg")) info.useSvg = true;
  if (resources == nullptr) return;
  int scale = resources->DisplayScale();
  if (scale <= 0) scale = 100;
  if (info.noDpi && info.source != Rect{}) info.source = UnscaleRect(info.source, scale);
  if (scale != 100 && !info.noDpi && !info.useSvg) {
    const std::wstring infix = L"@" + std::to_wstring(scale) + L".";
    std::wstring named;
    for (wchar_t c : info.imageName) {
      if (c == L'.') named += infix;
      else named += c;
    }
    info.imageName = std::move(named);
  }
}

}  // namespace zui
