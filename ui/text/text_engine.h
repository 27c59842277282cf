#pragma once
// The text seam: the only drawing the toolkit leaves to the platform.
// FreeType + fontconfig on Linux, GDI on Windows. Everything else is drawn by
// our own software renderer into a Bitmap.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/base/geometry.h"
#include "ui/base/bitmap.h"
#include "ui/text/text_format.h"

// <windows.h> maps these names to its ...W functions; the seam keeps its own
// method names. (A file that includes <windows.h> after this header must call
// the Win32 functions by their W names.)
#ifdef CreateFont
#undef CreateFont
#endif
#ifdef DrawText
#undef DrawText
#endif

namespace zui {

struct FontRequest {
  std::wstring face;   // empty: the platform's default UI face
  int pixelSize = 12;  // character (em) height in pixels, already scaled
  bool bold = false;
  bool underline = false;
  bool italic = false;
};

// The part of TEXTMETRIC the toolkit uses.
struct FontMetrics {
  int height = 0;  // ascent + descent
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
};

class ITextFont {
 public:
  virtual ~ITextFont() = default;
  virtual const FontRequest& Request() const = 0;
  virtual const FontMetrics& Metrics() const = 0;
};

class ITextEngine {
 public:
  virtual ~ITextEngine() = default;

  // Null when the platform cannot make the font.
  virtual std::unique_ptr<ITextFont> CreateFont(const FontRequest& fontRequest) = 0;

  // Behaves like DrawTextW with `format` (DT_* bits): lays `text` out in
  // `rect`, draws it in `argb` blended into `target` inside `clip`, and
  // returns the height of the text. With DT_CALCRECT nothing is drawn,
  // `target` may be null and `rect` is updated to the measured extent.
  virtual int DrawText(Bitmap* target, const Rect& clip, const ITextFont& font, std::wstring_view text, Rect& rect,
                       uint32_t argb, unsigned format) = 0;
};

// The platform's engine, made on first use and kept for the process.
ITextEngine& PlatformTextEngine();

// Lets the engine read the system's font configuration on another thread
// while the program goes on starting; calling it is optional.
void PreparePlatformTextEngine();

}  // namespace zui
