#pragma once
// Font files through fontconfig: which installed file serves a requested
// face, and which one supplies a character the face lacks.

#include <optional>
#include <string>

#include "ui/text/text_engine.h"

namespace zui {

struct FontFileChoice {
  std::string path;
  int faceIndex = 0;
};

class FontMatcher {
 public:
  // Starts reading the font configuration on another thread; the first match
  // waits for it.
  static void PrepareInBackground();

  // The file for `fontRequest`. A face that is not installed (the skins ask for
  // "微软雅黑", which Linux machines rarely have) is replaced by the best
  // installed face for Simplified Chinese, since every text of the program
  // is Chinese; an empty face means the desktop's sans-serif face.
  static std::optional<FontFileChoice> MatchFace(const FontRequest& fontRequest);

  // The closest file to `fontRequest` that has a glyph for `code`.
  static std::optional<FontFileChoice> MatchFaceWithChar(const FontRequest& fontRequest, char32_t code);
};

}  // namespace zui
