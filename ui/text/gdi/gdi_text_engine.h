#pragma once
// The Windows text engine: DrawTextW itself lays the text out, so the
// program keeps every detail of the system's text drawing. GDI cannot write
// alpha, so the text is drawn white on black into a private DIB section and
// that picture is used as coverage to blend the real colour into the
// premultiplied target.

#include <windows.h>

#include <memory>

#include "ui/text/text_engine.h"

namespace zui {

class GdiTextEngine final : public ITextEngine {
 public:
  GdiTextEngine();
  ~GdiTextEngine() override;
  GdiTextEngine(const GdiTextEngine&) = delete;
  GdiTextEngine& operator=(const GdiTextEngine&) = delete;

  std::unique_ptr<ITextFont> CreateFont(const FontRequest& fontRequest) override;
  int DrawText(Bitmap* target, const Rect& clip, const ITextFont& font, std::wstring_view text, Rect& rect,
               uint32_t argb, unsigned format) override;

 private:
  bool EnsureSurface(int width, int height);

  HDC dc_ = nullptr;
  HBITMAP surface_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  uint32_t* surfaceBits_ = nullptr;
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
};

}  // namespace zui
