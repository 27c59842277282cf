#include "leaf_window.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "ui/window/skin_builder.h"

namespace ztest {

void LeafWindowTest::SetUp() {
  ResourceTest::SetUp();
  zui::CResourceSettings::Instance().SetResourcePath(Folder());
  std::filesystem::create_directories(dir_ / "img");
}

void LeafWindowTest::TearDown() {
  window_.reset();
  ResourceTest::TearDown();
}

const zui::Bitmap* LeafWindowTest::Show(const std::wstring& xml, zui::Size size) {
  window_ = std::make_unique<SkinTestWindow>(size);
  window_->Manager().AddNotifier(this);
  zui::CSkinBuilder builder;
  zui::CControlUI* root = builder.Create(xml, {}, nullptr, &window_->Manager());
  EXPECT_NE(root, nullptr);
  if (root == nullptr) return nullptr;
  EXPECT_TRUE(window_->Manager().AttachDialog(root));
  return window_->ShowAndPaint();
}

const zui::Bitmap& LeafWindowTest::Pump() {
  Host().PumpPending();
  static const zui::Bitmap kNone;
  const zui::Bitmap* frame = Host().Frame(Handle());
  return frame != nullptr ? *frame : kNone;
}

const zui::Bitmap& LeafWindowTest::Tick(uint32_t ms) {
  Host().AdvanceClock(ms);
  return Pump();
}

void LeafWindowTest::WriteImage(const std::string& name, int width, int height,
                                const std::function<uint32_t(int, int)>& colour) {
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      rgba.push_back(static_cast<uint8_t>(c >> 16));
      rgba.push_back(static_cast<uint8_t>(c >> 8));
      rgba.push_back(static_cast<uint8_t>(c));
      rgba.push_back(static_cast<uint8_t>(c >> 24));
    }
  }
  WriteBytes(dir_ / "img" / (name + ".png"), EncodePng(width, height, rgba));
}

void LeafWindowTest::WriteSolid(const std::string& name, int width, int height, uint32_t argb) {
  WriteImage(name, width, height, [argb](int, int) { return argb; });
}

std::vector<std::wstring> LeafWindowTest::Types() const {
  std::vector<std::wstring> types;
  for (const zui::NotifyRecord& n : notes_) types.push_back(n.type);
  return types;
}

int LeafWindowTest::Count(std::wstring_view type) const {
  return static_cast<int>(
      std::count_if(notes_.begin(), notes_.end(), [&](const zui::NotifyRecord& n) { return n.type == type; }));
}

zui::Rect BoundsWhere(const zui::Bitmap& frame, const zui::Rect& area, const std::function<bool(uint32_t)>& is) {
  zui::Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  bool any = false;
  for (int y = std::max(0, area.top); y < std::min(frame.height(), area.bottom); ++y) {
    for (int x = std::max(0, area.left); x < std::min(frame.width(), area.right); ++x) {
      if (!is(frame.at(x, y))) continue;
      any = true;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
    }
  }
  return any ? box : zui::Rect{};
}

bool HasTextColour(const zui::Bitmap& frame, const zui::Rect& area, uint32_t background, uint32_t colour) {
  auto channel = [](uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  // The channel that tells the two colours apart best gives the mix.
  int best = 0;
  for (int shift : {0, 8, 16})
    if (std::abs(channel(colour, shift) - channel(background, shift)) >
        std::abs(channel(colour, best) - channel(background, best)))
      best = shift;
  const int span = channel(colour, best) - channel(background, best);
  if (span == 0) return false;
  const zui::Rect found = BoundsWhere(frame, area, [&](uint32_t p) {
    const double t = static_cast<double>(channel(p, best) - channel(background, best)) / span;
    if (t < 0.5 || t > 1.0) return false;
    for (int shift : {0, 8, 16}) {
      const double expected = channel(background, shift) + t * (channel(colour, shift) - channel(background, shift));
      if (std::abs(channel(p, shift) - expected) > 3) return false;
    }
    return true;
  });
  return !found.IsEmpty();
}

}  // namespace ztest
