#pragma once
// The Linux text engine: fontconfig finds the files, FreeType rasterises
// grey-scale glyphs, and the shared layout places them like DrawTextW.

#include <memory>

#include "ui/text/text_engine.h"

namespace zui {

class FtLibrary;

class FreeTypeTextEngine final : public ITextEngine {
 public:
  FreeTypeTextEngine();
  ~FreeTypeTextEngine() override;

  std::unique_ptr<ITextFont> CreateFont(const FontRequest& fontRequest) override;
  int DrawText(Bitmap* target, const Rect& clip, const ITextFont& font, std::wstring_view text, Rect& rect,
               uint32_t argb, unsigned format) override;

 private:
  std::shared_ptr<FtLibrary> library_;
};

}  // namespace zui
