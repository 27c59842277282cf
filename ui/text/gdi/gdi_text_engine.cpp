#include "ui/text/gdi/gdi_text_engine.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/text/coverage_blend.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

class GdiFont final : public ITextFont {
 public:
  GdiFont(HFONT font, const FontRequest& fontRequest, const FontMetrics& metrics)
      : font_(font), request_(fontRequest), metrics_(metrics) {}
  ~GdiFont() override { DeleteObject(font_); }
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;

  const FontRequest& Request() const override { return request_; }
  const FontMetrics& Metrics() const override { return metrics_; }
  HFONT handle() const { return font_; }

 private:
  HFONT font_;
  FontRequest request_;
  FontMetrics metrics_;
};

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Keeps a font selected for the length of one call.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~SelectedFont() { SelectObject(dc_, old_); }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The drawing was white on black: the brightest channel is the ink's
// coverage (grey-scale anti-aliasing gives three equal channels).
void ExtractCoverage(const uint32_t* bits, int stride, int width, int height, std::vector<uint8_t>& coverage) {
  coverage.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = bits + static_cast<ptrdiff_t>(y) * stride;
    uint8_t* out = coverage.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];
      out[x] = static_cast<uint8_t>(std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF}));
    }
  }
}

}  // namespace

GdiTextEngine::GdiTextEngine() : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_ != nullptr) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(255, 255, 255));
  }
}

GdiTextEngine::~GdiTextEngine() {
  if (dc_ != nullptr && originalBitmap_ != nullptr) SelectObject(dc_, originalBitmap_);
  if (surface_ != nullptr) DeleteObject(surface_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

std::unique_ptr<ITextFont> GdiTextEngine::CreateFont(const FontRequest& fontRequest) {
  if (dc_ == nullptr) return nullptr;
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  if (!fontRequest.face.empty()) {
    const size_t n = std::min<size_t>(fontRequest.face.size(), LF_FACESIZE - 1);
    std::wmemcpy(lf.lfFaceName, fontRequest.face.data(), n);
    lf.lfFaceName[n] = L'\0';
  }
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = -(fontRequest.pixelSize > 0 ? fontRequest.pixelSize : 12);
  if (fontRequest.bold) lf.lfWeight = FW_BOLD;
  lf.lfUnderline = fontRequest.underline ? TRUE : FALSE;
  lf.lfItalic = fontRequest.italic ? TRUE : FALSE;
  // Grey-scale, never ClearType: the coverage must not depend on the channel.
  lf.lfQuality = ANTIALIASED_QUALITY;
  HFONT handle = CreateFontIndirectW(&lf);
  if (handle == nullptr) return nullptr;
  TEXTMETRICW tm{};
  {
    SelectedFont selected(dc_, handle);
    GetTextMetricsW(dc_, &tm);
  }
  FontMetrics metrics;
  metrics.height = tm.tmHeight;
  metrics.ascent = tm.tmAscent;
  metrics.descent = tm.tmDescent;
  metrics.internalLeading = tm.tmInternalLeading;
  metrics.externalLeading = tm.tmExternalLeading;
  metrics.aveCharWidth = tm.tmAveCharWidth;
  metrics.maxCharWidth = tm.tmMaxCharWidth;
  return std::make_unique<GdiFont>(handle, fontRequest, metrics);
}

bool GdiTextEngine::EnsureSurface(int width, int height) {
  if (surface_ != nullptr && width <= surfaceWidth_ && height <= surfaceHeight_) return true;
  width = std::max(width, surfaceWidth_);
  height = std::max(height, surfaceHeight_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP surface = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (surface == nullptr) return false;
  HGDIOBJ previous = SelectObject(dc_, surface);
  if (originalBitmap_ == nullptr) originalBitmap_ = previous;
  if (surface_ != nullptr) DeleteObject(surface_);
  surface_ = surface;
  surfaceBits_ = static_cast<uint32_t*>(bits);
  surfaceWidth_ = width;
  surfaceHeight_ = height;
  return true;
}

int GdiTextEngine::DrawText(Bitmap* target, const Rect& clip, const ITextFont& font, std::wstring_view text, Rect& rect,
                            uint32_t argb, unsigned format) {
  const auto* gdiFont = dynamic_cast<const GdiFont*>(&font);
  if (gdiFont == nullptr || dc_ == nullptr) return 0;
  // The caller's text is read-only.
  format &= ~static_cast<unsigned>(DT_MODIFYSTRING);
  const wchar_t* chars = text.empty() ? L"" : text.data();
  const int length = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
  SelectedFont selected(dc_, gdiFont->handle());
  if ((format & DT_CALCRECT) != 0) {
    RECT r = ToRECT(rect);
    const int height = DrawTextW(dc_, chars, length, &r, format);
    rect = FromRECT(r);
    return height;
  }
  Rect area;
  if (target != nullptr) {
    area = clip.Intersect({0, 0, target->width(), target->height()});
    if ((format & DT_NOCLIP) == 0) area = area.Intersect(rect);
  }
  if (area.IsEmpty() || !EnsureSurface(area.Width(), area.Height())) {
    RECT r = ToRECT(rect);
    return DrawTextW(dc_, chars, length, &r, format | DT_CALCRECT);
  }
  for (int y = 0; y < area.Height(); ++y)
    std::fill_n(surfaceBits_ + static_cast<ptrdiff_t>(y) * surfaceWidth_, area.Width(), 0u);
  // Only the area's pixels of the surface are used; the rest may hold
  // strokes of this drawing and is ignored.
  POINT oldOrigin{};
  SetViewportOrgEx(dc_, -area.left, -area.top, &oldOrigin);
  RECT r = ToRECT(rect);
  const int height = DrawTextW(dc_, chars, length, &r, format);
  SetViewportOrgEx(dc_, oldOrigin.x, oldOrigin.y, nullptr);
  GdiFlush();
  std::vector<uint8_t> coverage;
  ExtractCoverage(surfaceBits_, surfaceWidth_, area.Width(), area.Height(), coverage);
  BlendCoverage(*target, area, area.left, area.top, {coverage.data(), area.Width(), area.Height(), area.Width()}, argb);
  return height;
}

ITextEngine& PlatformTextEngine() {
  static GdiTextEngine engine;
  return engine;
}

// GDI has nothing worth preparing.
void PreparePlatformTextEngine() {}

}  // namespace zui
