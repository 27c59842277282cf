// DrawText layout over arbitrary text, flags and rectangle sizes: it must
// end, never lose or invent characters beyond the ellipsis, and report an
// extent that holds every measured line.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/text/text_format.h"
#include "ui/text/text_layout.h"

namespace {

class VariedMeasure final : public zui::ITextMeasure {
 public:
  int Advance(char32_t code) override { return static_cast<int>(code % 23); }
};

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  constexpr unsigned kFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                              DT_EXPANDTABS | DT_NOCLIP | DT_EXTERNALLEADING | DT_CALCRECT | DT_NOPREFIX |
                              DT_EDITCONTROL | DT_END_ELLIPSIS | DT_HIDEPREFIX | DT_NOFULLWIDTHCHARBREAK;
  const unsigned format = (data[0] | (data[1] << 8) | (data[2] << 16)) & kFlags;
  const int width = static_cast<int8_t>(data[3]) * 4;
  const int height = static_cast<int8_t>(data[4]) * 2;
  const int lineHeight = data[5] % 40;
  std::wstring text;
  for (size_t i = 6; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

  zui::FontMetrics metrics;
  metrics.height = lineHeight;
  metrics.ascent = lineHeight;
  metrics.aveCharWidth = 7;
  metrics.externalLeading = 2;
  VariedMeasure measure;
  const std::vector<zui::TextChar> chars = zui::PrepareTextChars(text, format);
  const zui::Rect rect{10, 20, 10 + width, 20 + height};
  const zui::TextLayout layout = zui::LayoutText(chars, measure, metrics, rect, format);

  size_t placed = 0;
  for (const zui::PlacedLine& line : layout.lines) {
    placed += line.chars.size();
    if (format & DT_CALCRECT) Check(rect.left + line.width <= layout.extent.right);
    int x = 0;
    for (const zui::PlacedChar& c : line.chars) {
      Check(c.x >= x);
      x = c.x + c.advance;
    }
  }
  Check(placed <= chars.size() + 3 * layout.lines.size());
  Check(layout.height >= 0 || (format & DT_SINGLELINE) != 0);
  return 0;
}
