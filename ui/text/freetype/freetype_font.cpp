#include "ui/text/freetype/freetype_font.h"

#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/text/freetype/font_matcher.h"

namespace zui {
namespace {

// Font units to pixels at the font's em size.
int Scale(long units, int pixelSize, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  return static_cast<int>(std::lround(static_cast<double>(units) * pixelSize / unitsPerEm));
}

int CeilPixels(FT_Pos value26_6) { return static_cast<int>((value26_6 + 63) >> 6); }

std::string SlotKey(const FontFileChoice& choice) { return choice.path + "#" + std::to_string(choice.faceIndex); }

}  // namespace

FtLibrary::FtLibrary() {
  if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
}

FtLibrary::~FtLibrary() {
  if (library_ != nullptr) FT_Done_FreeType(library_);
}

size_t FreeTypeFont::GlyphCacheCapacity(int pixelSize) {
  const size_t glyphBytes = static_cast<size_t>(std::max(pixelSize, 1)) * static_cast<size_t>(std::max(pixelSize, 1));
  return std::clamp<size_t>(kGlyphCacheBytes / glyphBytes, 16, kGlyphCacheSize);
}

namespace {
FontRequest Sanitised(FontRequest fontRequest) {
  fontRequest.pixelSize =
      fontRequest.pixelSize <= 0 ? 12 : std::min(fontRequest.pixelSize, FreeTypeFont::kMaxPixelSize);
  return fontRequest;
}
}  // namespace

FreeTypeFont::FreeTypeFont(std::shared_ptr<FtLibrary> library, const FontRequest& fontRequest)
    : library_(std::move(library)), request_(Sanitised(fontRequest)), cache_(GlyphCacheCapacity(request_.pixelSize)) {}

FreeTypeFont::~FreeTypeFont() {
  for (Face& f : faces_) FT_Done_Face(f.face);
}

std::unique_ptr<FreeTypeFont> FreeTypeFont::Create(std::shared_ptr<FtLibrary> library, const FontRequest& fontRequest) {
  if (!library || library->get() == nullptr) return nullptr;
  const std::optional<FontFileChoice> choice = FontMatcher::MatchFace(fontRequest);
  if (!choice) return nullptr;
  std::unique_ptr<FreeTypeFont> font(new FreeTypeFont(std::move(library), fontRequest));
  if (!font->AddFace(*choice)) return nullptr;
  font->filePath_ = choice->path;
  font->ComputeMetrics();
  return font;
}

bool FreeTypeFont::AddFace(const FontFileChoice& choice) {
  FT_Face face = nullptr;
  if (FT_New_Face(library_->get(), choice.path.c_str(), choice.faceIndex, &face) != 0) return false;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(request_.pixelSize)) != 0) {
    FT_Done_Face(face);
    return false;
  }
  // Decided from the file itself: fontconfig reports a regular face as bold
  // when it means to have it emboldened.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool heavy = os2 != nullptr ? os2->usWeightClass >= 600 : (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  const bool slanted = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  faces_.push_back({face, request_.bold && !heavy, request_.italic && !slanted});
  faceSlots_.insert(SlotKey(choice));
  return true;
}

// Follows what GDI reports for TrueType fonts: ascent and descent from the
// OS/2 "win" values, the leading above the em as internal leading.
void FreeTypeFont::ComputeMetrics() {
  FT_Face face = faces_[0].face;
  const int em = request_.pixelSize;
  const int upem = face->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  FontMetrics m;
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    m.ascent = Scale(os2->usWinAscent, em, upem);
    m.descent = Scale(os2->usWinDescent, em, upem);
  } else {
    m.ascent = CeilPixels(face->size->metrics.ascender);
    m.descent = CeilPixels(-face->size->metrics.descender);
  }
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - em);
  if (os2 != nullptr && hhea != nullptr) {
    const long gap = hhea->Line_Gap - ((os2->usWinAscent + os2->usWinDescent) - (hhea->Ascender - hhea->Descender));
    m.externalLeading = std::max(0, Scale(gap, em, upem));
  }
  m.aveCharWidth = (os2 != nullptr && os2->xAvgCharWidth > 0) ? Scale(os2->xAvgCharWidth, em, upem) : Advance(U'x');
  m.maxCharWidth = Scale(face->max_advance_width, em, upem);
  if (faces_[0].synthesizeBold) {
    ++m.aveCharWidth;
    ++m.maxCharWidth;
  }
  metrics_ = m;

  underlineThickness_ = std::max(1, Scale(face->underline_thickness, em, upem));
  // FreeType gives the centre of the stroke, negative below the baseline.
  underlineOffset_ = std::max(1, Scale(-face->underline_position, em, upem) - underlineThickness_ / 2);
  underlineOffset_ = std::min(underlineOffset_, std::max(1, m.descent - underlineThickness_));
}

// The font's own face first, then the faces it already borrowed (Chinese text
// in a Latin face takes every ideograph from the same file), and only then a
// fontconfig query, which costs far more than a character-map lookup.
std::pair<const FreeTypeFont::Face*, FT_UInt> FreeTypeFont::Locate(char32_t code) {
  for (const Face& face : faces_) {
    if (const FT_UInt index = FT_Get_Char_Index(face.face, code); index != 0) return {&face, index};
  }
  if (missing_.count(code) == 0) {
    const std::optional<FontFileChoice> choice = FontMatcher::MatchFaceWithChar(request_, code);
    if (choice && faceSlots_.count(SlotKey(*choice)) == 0 && AddFace(*choice)) {
      const Face& face = faces_.back();
      if (const FT_UInt index = FT_Get_Char_Index(face.face, code); index != 0) return {&face, index};
    }
    if (missing_.size() >= kMaxMissingCodes) missing_.clear();
    missing_.insert(code);
  }
  return {&faces_[0], 0};
}

RenderedGlyph FreeTypeFont::Render(const Face& face, FT_UInt index) const {
  RenderedGlyph glyph;
  if (FT_Load_Glyph(face.face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return glyph;
  FT_GlyphSlot slot = face.face->glyph;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (face.synthesizeItalic) FT_GlyphSlot_Oblique(slot);
  if (face.synthesizeBold) {
    // Like GDI's simulated bold: a stroke a little wider, one pixel more
    // advance.
    FT_GlyphSlot_Embolden(slot);
    ++glyph.advance;
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch < 0) return glyph;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
    std::memcpy(glyph.coverage.data() + static_cast<size_t>(row) * glyph.width, src, glyph.width);
  }
  return glyph;
}

const RenderedGlyph& FreeTypeFont::Glyph(char32_t code) {
  if (const RenderedGlyph* cached = cache_.Find(code)) return *cached;
  const auto [face, index] = Locate(code);
  return cache_.Insert(code, Render(*face, index));
}

}  // namespace zui
