#pragma once
// One font of the FreeType engine: a face at a pixel size with its GDI-like
// metrics, faces borrowed for characters it lacks, and its glyph cache.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "ui/text/glyph_cache.h"
#include "ui/text/text_engine.h"
#include "ui/text/text_layout.h"

namespace zui {

struct FontFileChoice;

// FreeType's library handle, shared by the engine and every font it made so
// that a font may outlive the engine.
class FtLibrary {
 public:
  FtLibrary();
  ~FtLibrary();
  FtLibrary(const FtLibrary&) = delete;
  FtLibrary& operator=(const FtLibrary&) = delete;
  FT_Library get() const { return library_; }

 private:
  FT_Library library_ = nullptr;
};

struct RenderedGlyph {
  int left = 0;  // from the pen position to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int height = 0;
  int advance = 0;                // whole pixels
  std::vector<uint8_t> coverage;  // width * height, rows top-down
};

class FreeTypeFont final : public ITextFont, public ITextMeasure {
 public:
  // At most this many glyphs, and fewer for large sizes so that the
  // coverage kept stays near kGlyphCacheBytes.
  static constexpr size_t kGlyphCacheSize = 1024;
  static constexpr size_t kGlyphCacheBytes = 8u << 20;
  static size_t GlyphCacheCapacity(int pixelSize);
  // Sizes are clamped to this: a damaged skin asking for an enormous font
  // must not make FreeType allocate gigabytes for one glyph.
  static constexpr int kMaxPixelSize = 1024;

  // Null when no font file can be found or opened.
  static std::unique_ptr<FreeTypeFont> Create(std::shared_ptr<FtLibrary> library, const FontRequest& fontRequest);
  ~FreeTypeFont() override;

  const FontRequest& Request() const override { return request_; }
  const FontMetrics& Metrics() const override { return metrics_; }
  int Advance(char32_t code) override { return Glyph(code).advance; }

  const RenderedGlyph& Glyph(char32_t code);
  // Underline placement below the baseline and its thickness.
  int UnderlineOffset() const { return underlineOffset_; }
  int UnderlineThickness() const { return underlineThickness_; }
  // The file that serves the face (tests pin it).
  const std::string& FilePath() const { return filePath_; }
  size_t CachedGlyphs() const { return cache_.size(); }

 private:
  struct Face {
    FT_Face face = nullptr;
    bool synthesizeBold = false;
    bool synthesizeItalic = false;
  };

  FreeTypeFont(std::shared_ptr<FtLibrary> library, const FontRequest& fontRequest);
  bool AddFace(const FontFileChoice& choice);
  void ComputeMetrics();
  // Which face draws `code` and with which glyph index.
  std::pair<const Face*, FT_UInt> Locate(char32_t code);
  RenderedGlyph Render(const Face& face, FT_UInt index) const;

  std::shared_ptr<FtLibrary> library_;
  FontRequest request_;
  FontMetrics metrics_;
  std::string filePath_;
  int underlineOffset_ = 1;
  int underlineThickness_ = 1;
  static constexpr size_t kMaxMissingCodes = 4096;

  std::vector<Face> faces_;                    // [0] is the font's own face, then borrowed ones
  std::unordered_set<std::string> faceSlots_;  // "path#index" of every open face
  std::unordered_set<char32_t> missing_;       // codes no installed file has
  GlyphCache<RenderedGlyph> cache_;
};

}  // namespace zui
