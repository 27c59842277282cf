// Text through the platform text engine, with the toolkit's own rules on top.

#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"
#include "ui/render/value_format.h"
#include "ui/text/text_engine.h"

namespace zui {
namespace {

constexpr unsigned kGdiplusFormatBits =
    DT_END_ELLIPSIS | DT_NOCLIP | DT_SINGLELINE | DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

// "&#x" in a text asks for one character by its hexadecimal code: the (at
// most four) characters after the first "&#x", less one trailing blank and
// then one trailing ';'. Returns an empty string for code 0.
std::wstring CharacterReference(std::wstring_view text, size_t at) {
  std::wstring_view code = text.substr(at + 3);
  if (code.size() > 4) code = code.substr(0, 4);
  if (!code.empty() && code.back() == L' ') code.remove_suffix(1);
  if (!code.empty() && code.back() == L';') code.remove_suffix(1);
  const uint32_t value = ParseHexValue(code);
  if (value == 0) return {};
  return std::wstring(1, static_cast<wchar_t>(value));
}

// Draws through the engine honouring a rounded clip: the engine only knows
// rectangles, so under a mask the text goes to a scratch layer first.
void DrawClipped(Canvas& canvas, ITextEngine& engine, const ITextFont& font, std::wstring_view text, Rect& rect,
                 uint32_t argb, unsigned format) {
  const ClipRegion& clip = canvas.clip();
  if (clip.box.IsEmpty()) return;
  if (!clip.mask) {
    engine.DrawText(&canvas.target(), clip.box, font, text, rect, argb, format);
    return;
  }
  const Rect box = clip.box;
  Bitmap layer(box.Width(), box.Height());
  Rect shifted = rect.Offset(-box.left, -box.top);
  engine.DrawText(&layer, {0, 0, box.Width(), box.Height()}, font, text, shifted, argb, format);
  rect = shifted.Offset(box.left, box.top);
  for (int y = box.top; y < box.bottom; ++y) {
    const uint32_t* from = layer.row(y - box.top);
    const uint8_t* cover = clip.MaskRow(box.left, y);
    uint32_t* to = canvas.target().row(y) + box.left;
    for (int i = 0; i < box.Width(); ++i)
      if (from[i] != 0 && cover[i] != 0) to[i] = pixel::Over(to[i], pixel::Scale(from[i], cover[i]));
  }
}

void Draw(Canvas* canvas, ITextEngine& engine, const ITextFont& font, std::wstring_view text, Rect& rect, uint32_t argb,
          unsigned format) {
  if (format & DT_CALCRECT) {
    engine.DrawText(nullptr, {}, font, text, rect, argb, format);
  } else if (canvas != nullptr) {
    DrawClipped(*canvas, engine, font, text, rect, argb, format);
  }
}

}  // namespace

void CSkinRenderer::PaintText(Canvas* canvas, IRenderResources* resources, Rect& rect, std::wstring_view text,
                              uint32_t argb, int fontIndex, unsigned style) {
  if (text.empty() || resources == nullptr) return;
  ITextEngine* engine = resources->TextEngine();
  const ITextFont* font = resources->GetFont(fontIndex);
  if (engine == nullptr || font == nullptr) return;

  if (resources->IsLayered() || resources->UseGdiplusText()) {
    // The anti-aliased path wraps unless told single line, never treats '&'
    // as a prefix, and keeps the colour just short of opaque.
    unsigned format = (style & kGdiplusFormatBits) | DT_NOPREFIX;
    if (!(style & DT_SINGLELINE)) format |= DT_WORDBREAK;
    const uint32_t colour = (argb & 0x00FFFFFFu) | 0xFE000000u;
    if (style & DT_CALCRECT) {
      Rect measured = rect;
      engine->DrawText(nullptr, {}, *font, text, measured, colour, format | DT_CALCRECT);
      rect.right = rect.left + measured.Width() + 1;
      rect.bottom = rect.top + measured.Height() + 1;
      return;
    }
    Draw(canvas, *engine, *font, text, rect, colour, format);
    return;
  }

  unsigned format = style;
  if (resources->IsRightToLeftLanguage()) format |= DT_RTLREADING;
  const uint32_t colour = pixel::Opaque(argb);
  const size_t reference = text.find(L"&#x");
  if (reference != std::wstring_view::npos) {
    const std::wstring single = CharacterReference(text, reference);
    if (!single.empty()) Draw(canvas, *engine, *font, single, rect, colour, format);
    return;
  }
  Draw(canvas, *engine, *font, text, rect, colour, format);
}

}  // namespace zui
