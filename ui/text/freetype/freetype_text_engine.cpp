#include "ui/text/freetype/freetype_text_engine.h"

#include "ui/text/coverage_blend.h"
#include "ui/text/freetype/font_matcher.h"
#include "ui/text/freetype/freetype_font.h"
#include "ui/text/text_format.h"
#include "ui/text/text_layout.h"

namespace zui {
namespace {

void PaintGlyphLine(Bitmap& target, const Rect& clip, FreeTypeFont& font, const PlacedLine& line, uint32_t argb) {
  const int baseline = line.y + font.Metrics().ascent;
  for (const PlacedChar& c : line.chars) {
    const RenderedGlyph& glyph = font.Glyph(c.code);
    if (glyph.coverage.empty()) continue;
    const CoverageMask mask{glyph.coverage.data(), glyph.width, glyph.height, glyph.width};
    BlendCoverage(target, clip, line.x + c.x + glyph.left, baseline - glyph.top, mask, argb);
  }
  const int underlineTop = baseline + font.UnderlineOffset();
  const int underlineBottom = underlineTop + font.UnderlineThickness();
  if (font.Request().underline && line.width > 0) {
    BlendSolidRect(target, clip, {line.x, underlineTop, line.x + line.width, underlineBottom}, argb);
    return;
  }
  for (const PlacedChar& c : line.chars) {
    if (c.prefixUnderline)
      BlendSolidRect(target, clip, {line.x + c.x, underlineTop, line.x + c.x + c.advance, underlineBottom}, argb);
  }
}

}  // namespace

FreeTypeTextEngine::FreeTypeTextEngine() : library_(std::make_shared<FtLibrary>()) {}

FreeTypeTextEngine::~FreeTypeTextEngine() = default;

std::unique_ptr<ITextFont> FreeTypeTextEngine::CreateFont(const FontRequest& fontRequest) {
  return FreeTypeFont::Create(library_, fontRequest);
}

int FreeTypeTextEngine::DrawText(Bitmap* target, const Rect& clip, const ITextFont& font, std::wstring_view text,
                                 Rect& rect, uint32_t argb, unsigned format) {
  // Fonts are only ever made by this engine; the cast is checked all the same
  // so that a foreign font draws nothing instead of corrupting memory. The
  // font is const to its owners, but its glyph cache fills as it draws.
  auto* ftFont = dynamic_cast<FreeTypeFont*>(const_cast<ITextFont*>(&font));
  if (ftFont == nullptr) return 0;
  const TextLayout layout = LayoutText(PrepareTextChars(text, format), *ftFont, ftFont->Metrics(), rect, format);
  if ((format & DT_CALCRECT) != 0) {
    rect = layout.extent;
    return layout.height;
  }
  if (target == nullptr || target->empty()) return layout.height;
  Rect area = clip.Intersect({0, 0, target->width(), target->height()});
  if ((format & DT_NOCLIP) == 0) area = area.Intersect(rect);
  if (area.IsEmpty()) return layout.height;
  for (const PlacedLine& line : layout.lines) {
    // Glyphs may reach a little outside their line box (accents, italics).
    if (line.y - layout.lineHeight >= area.bottom || line.y + 2 * layout.lineHeight <= area.top) continue;
    PaintGlyphLine(*target, area, *ftFont, line, argb);
  }
  return layout.height;
}

ITextEngine& PlatformTextEngine() {
  static FreeTypeTextEngine engine;
  return engine;
}

void PreparePlatformTextEngine() { FontMatcher::PrepareInBackground(); }

}  // namespace zui
