// A 484 x 306 window like the repair window: nine-grid background with
// translucent rounded corners, 12 images (buttons, icons, a stretched banner,
// a tiled strip) and 12 single-line texts. Text goes through a stand-in
// engine that blends one anti-aliased 7 x 12 coverage mask per character, so
// the numbers cover the renderer, not a particular font engine.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/render/descriptor_cache.h"
#include "ui/render/pixel.h"
#include "ui/render/skin_renderer.h"
#include "ui/text/text_engine.h"

namespace {

using zui::Bitmap;
using zui::Canvas;
using zui::CSkinRenderer;
using zui::Rect;

class MaskFont : public zui::ITextFont {
 public:
  const zui::FontRequest& Request() const override { return request_; }
  const zui::FontMetrics& Metrics() const override { return metrics_; }

 private:
  zui::FontRequest request_;
  zui::FontMetrics metrics_{15, 12, 3, 0, 0, 7, 12};
};

class MaskTextEngine : public zui::ITextEngine {
 public:
  MaskTextEngine() {
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 7; ++x)
        mask_[y][x] = static_cast<uint8_t>(((x * 37 + y * 91) % 5 == 0) ? 0 : (x * 40 + y * 13) % 256);
  }
  std::unique_ptr<zui::ITextFont> CreateFont(const zui::FontRequest&) override { return std::make_unique<MaskFont>(); }
  int DrawText(Bitmap* target, const Rect& clip, const zui::ITextFont&, std::wstring_view text, Rect& rect,
               uint32_t argb, unsigned format) override {
    if (format & DT_CALCRECT) {
      rect.right = rect.left + static_cast<int>(text.size()) * 7;
      rect.bottom = rect.top + 15;
      return 15;
    }
    const uint32_t colour = zui::pixel::Premultiply(argb);
    const int top = rect.top + (rect.Height() - 12) / 2;
    const Rect limit = clip.Intersect(rect);
    for (size_t i = 0; i < text.size(); ++i) {
      const int left = rect.left + static_cast<int>(i) * 7;
      for (int y = std::max(top, limit.top); y < std::min(top + 12, limit.bottom); ++y) {
        uint32_t* row = target->row(y);
        for (int x = std::max(left, limit.left); x < std::min(left + 7, limit.right); ++x)
          row[x] = zui::pixel::Over(row[x], zui::pixel::Scale(colour, mask_[y - top][x - left]));
      }
    }
    return 15;
  }

 private:
  uint8_t mask_[12][7];
};

Bitmap MakeImage(int w, int h, uint32_t base, bool roundedAlpha) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t p = base ^ static_cast<uint32_t>((x * 3) << 8 | (y * 5));
      p |= 0xFF000000u;
      const int edge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
      if (roundedAlpha && edge < 3) p = zui::pixel::Scale(p, static_cast<uint32_t>(60 + edge * 60));
      b.at(x, y) = p;
    }
  }
  return b;
}

class BenchResources : public zui::IRenderResources {
 public:
  BenchResources() {
    Add(L"img\\bk.png", MakeImage(60, 60, 0x203040, true));
    Add(L"img\\close.png", MakeImage(28, 28, 0x804020, true));
    Add(L"img\\min.png", MakeImage(28, 28, 0x408020, true));
    Add(L"img\\logo.png", MakeImage(120, 40, 0x102080, false));
    Add(L"img\\btn.png", MakeImage(134, 44, 0x30A060, true));
    Add(L"img\\checked.png", MakeImage(14, 14, 0xE0E0E0, false));
    Add(L"img\\device.png", MakeImage(180, 110, 0x506070, true));
    Add(L"img\\line.png", MakeImage(4, 2, 0x909090, false));
    Add(L"img\\progress_bk.png", MakeImage(40, 10, 0x303030, true));
    Add(L"img\\progress_fg.png", MakeImage(40, 10, 0x20C040, true));
  }
  const zui::SkinImage* GetOrLoadImage(std::wstring_view name, std::wstring_view, uint32_t) override {
    auto found = images_.find(std::wstring(name));
    return found == images_.end() ? nullptr : &found->second;
  }
  zui::ImageDescriptorCache& DescriptorCache() override { return cache_; }
  const zui::ITextFont* GetFont(int) override { return font_; }
  zui::ITextEngine* TextEngine() override { return engine_; }

  // Draws text with `engine` in a 12-pixel "微软雅黑" (or its fallback).
  bool UseEngine(zui::ITextEngine& engine) {
    zui::FontRequest fontRequest;
    fontRequest.face = L"微软雅黑";
    fontRequest.pixelSize = 12;
    realFont_ = engine.CreateFont(fontRequest);
    if (!realFont_) return false;
    engine_ = &engine;
    font_ = realFont_.get();
    return true;
  }

 private:
  void Add(const std::wstring& name, Bitmap bitmap) {
    zui::SkinImage& image = images_[name];
    image.width = bitmap.width();
    image.height = bitmap.height();
    image.hasAlpha = true;
    image.bitmap = std::move(bitmap);
  }
  std::map<std::wstring, zui::SkinImage> images_;
  zui::ImageDescriptorCache cache_;
  MaskFont maskFont_;
  MaskTextEngine maskEngine_;
  std::unique_ptr<zui::ITextFont> realFont_;
  const zui::ITextFont* font_ = &maskFont_;
  zui::ITextEngine* engine_ = &maskEngine_;
};

struct ImageItem {
  Rect item;
  const wchar_t* descriptor;
};

const ImageItem kImages[] = {
    {{420, 6, 448, 34}, L"file='img\\min.png'"},
    {{450, 6, 478, 34}, L"file='img\\close.png'"},
    {{16, 10, 136, 50}, L"file='img\\logo.png'"},
    {{152, 70, 332, 180}, L"file='img\\device.png'"},
    {{10, 56, 474, 58}, L"file='img\\line.png' xtiled='true'"},
    {{40, 200, 444, 210}, L"file='img\\progress_bk.png' corner='4,0,4,0'"},
    {{40, 200, 250, 210}, L"file='img\\progress_fg.png' corner='4,0,4,0'"},
    {{60, 250, 260, 294}, L"file='img\\btn.png' corner='6,0,6,0'"},
    {{270, 250, 404, 294}, L"file='img\\btn.png'"},
    {{40, 220, 90, 242}, L"file='img\\checked.png' dest='5,4,19,18'"},
    {{100, 220, 150, 242}, L"file='img\\checked.png' dest='5,4,19,18' fade='128'"},
    {{10, 186, 474, 188}, L"file='img\\line.png' xtiled='true' fade='200'"},
};

const wchar_t* const kTexts[] = {
    L"ZavizEraVaredu firmware repair",
    L"Connect the device with a LAN cable",
    L"Hold the MESH key while powering on",
    L"Waiting for the device...",
    L"Downloading upgradeimage.bin",
    L"42%",
    L"Remember this card",
    L"Start",
    L"Exit",
    L"192.168.1.2 / 255.255.255.0",
    L"TFTP server on UDP port 69",
    L"Version 0.1.0",
};

const Rect kTextRects[] = {
    {150, 14, 410, 34},   {20, 64, 464, 82},    {20, 182, 464, 198},  {20, 212, 300, 228},
    {20, 226, 300, 244},  {252, 198, 300, 212}, {160, 222, 300, 240}, {60, 250, 260, 294},
    {270, 250, 404, 294}, {20, 296, 220, 306},  {240, 296, 464, 306}, {380, 40, 474, 56},
};

void PaintFrame(Canvas& canvas, BenchResources& resources, const Rect& paint) {
  zui::ClipRecord clip;
  CSkinRenderer::ClipToRect(canvas, paint, clip);
  const Rect window{0, 0, 484, 306};
  CSkinRenderer::FillColor(canvas, paint, 0xFFF4F6F8u);
  CSkinRenderer::PaintImageDescriptor(&canvas, &resources, window, paint, L"file='img\\bk.png' corner='12,40,12,12'");
  for (const ImageItem& image : kImages)
    if (image.item.Intersects(paint))
      CSkinRenderer::PaintImageDescriptor(&canvas, &resources, image.item, paint, image.descriptor);
  for (size_t i = 0; i < std::size(kTexts); ++i) {
    Rect rect = kTextRects[i];
    if (rect.Intersects(paint))
      CSkinRenderer::PaintText(&canvas, &resources, rect, kTexts[i], 0xFF202020u, -1,
                               DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  }
}

void BM_FullFrame(benchmark::State& state) {
  BenchResources resources;
  Bitmap frame(484, 306);
  Canvas canvas(frame);
  for (auto _ : state) {
    PaintFrame(canvas, resources, {0, 0, 484, 306});
    benchmark::DoNotOptimize(frame.pixels());
  }
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMicrosecond);

// Repainting the check box (14 x 14) after its state changed.
void BM_Repaint14x14(benchmark::State& state) {
  BenchResources resources;
  Bitmap frame(484, 306);
  Canvas canvas(frame);
  PaintFrame(canvas, resources, {0, 0, 484, 306});
  for (auto _ : state) {
    PaintFrame(canvas, resources, {45, 224, 59, 238});
    benchmark::DoNotOptimize(frame.pixels());
  }
}
BENCHMARK(BM_Repaint14x14)->Unit(benchmark::kMicrosecond);

void BM_FullFrameRealText(benchmark::State& state) {
  BenchResources resources;
  if (!resources.UseEngine(zui::PlatformTextEngine())) {
    state.SkipWithError("no font");
    return;
  }
  Bitmap frame(484, 306);
  Canvas canvas(frame);
  for (auto _ : state) {
    PaintFrame(canvas, resources, {0, 0, 484, 306});
    benchmark::DoNotOptimize(frame.pixels());
  }
}
BENCHMARK(BM_FullFrameRealText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
