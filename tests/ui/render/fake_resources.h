#pragma once
// A paint manager stand-in for the renderer tests: images built in memory,
// a text engine that records what it was asked to draw.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/render/descriptor_cache.h"
#include "ui/render/render_resources.h"
#include "ui/text/text_engine.h"

namespace ztest {

class RecordingFont : public zui::ITextFont {
 public:
  explicit RecordingFont(int index) {
    request_.pixelSize = 12 + index;
    metrics_.height = 15;
  }
  const zui::FontRequest& Request() const override { return request_; }
  const zui::FontMetrics& Metrics() const override { return metrics_; }

 private:
  zui::FontRequest request_;
  zui::FontMetrics metrics_;
};

struct TextCall {
  bool hadTarget = false;
  zui::Rect clip;
  const zui::ITextFont* font = nullptr;
  std::wstring text;
  zui::Rect rect;
  uint32_t argb = 0;
  unsigned format = 0;
};

// Measures every character as 7 x 15 on one line; draws each character as a
// solid 5 x 9 box so clipping is visible in pixels.
class RecordingTextEngine : public zui::ITextEngine {
 public:
  std::unique_ptr<zui::ITextFont> CreateFont(const zui::FontRequest&) override { return nullptr; }
  int DrawText(zui::Bitmap* target, const zui::Rect& clip, const zui::ITextFont& font, std::wstring_view text,
               zui::Rect& rect, uint32_t argb, unsigned format) override;

  std::vector<TextCall> calls;
};

class FakeResources : public zui::IRenderResources {
 public:
  const zui::SkinImage* GetOrLoadImage(std::wstring_view name, std::wstring_view resType, uint32_t mask) override;
  const zui::SkinImage* GetOrLoadSvgImage(std::wstring_view name, zui::Size size) override;
  zui::ImageDescriptorCache& DescriptorCache() override { return cache; }
  const zui::ITextFont* GetFont(int index) override;
  zui::ITextEngine* TextEngine() override { return &engine; }
  int DisplayScale() const override { return scale; }
  bool IsLayered() const override { return layered; }
  bool UseGdiplusText() const override { return gdiplusText; }
  bool IsRightToLeftLanguage() const override { return rightToLeft; }

  // Registers an image under `name`.
  zui::SkinImage& AddImage(const std::wstring& name, const zui::Bitmap& bitmap);

  std::map<std::wstring, zui::SkinImage> images;
  std::vector<std::wstring> requests;  // every image name asked for
  std::vector<zui::Size> svgSizes;
  std::map<int, std::unique_ptr<RecordingFont>> fonts;
  zui::ImageDescriptorCache cache;
  RecordingTextEngine engine;
  int scale = 100;
  bool layered = false;
  bool gdiplusText = false;
  bool rightToLeft = false;
};

// Test pictures with distinct pixels.
// Opaque: each pixel's colour encodes its position (red = 8x, green = 8y).
zui::Bitmap CoordinateImage(int width, int height);
// Like CoordinateImage with a transparent outer ring and a half-transparent
// second ring (premultiplied).
zui::Bitmap AlphaImage(int width, int height);
// A checkerboard of two straight ARGB colours in cells of `cell` pixels.
zui::Bitmap Checker(int width, int height, int cell, uint32_t a, uint32_t b);

}  // namespace ztest
