#pragma once
// A headless skin window for the leaf-control tests: builds a skin, shows
// it, records notifications, and writes solid or patterned PNGs into a
// scratch resource folder for the skins to name.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resource_test_support.h"
#include "tests/support/skin_test_window.h"
#include "ui/controls/control.h"

namespace ztest {

class LeafWindowTest : public ResourceTest, public zui::INotifyUI {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds `xml` (a whole <Window>), attaches and paints; the first frame.
  const zui::Bitmap* Show(const std::wstring& xml, zui::Size size = {200, 100});
  // Pumps everything pending and answers the last presented frame.
  const zui::Bitmap& Pump();
  // Moves the manual clock by `ms` and pumps.
  const zui::Bitmap& Tick(uint32_t ms);

  template <class T>
  T* Find(std::wstring_view name) {
    return dynamic_cast<T*>(window_->Manager().FindControl(name));
  }
  zui::HeadlessHost& Host() { return window_->Host(); }
  zui::CPaintManagerUI& Manager() { return window_->Manager(); }
  zui::WindowHandle Handle() const { return window_->Handle(); }

  // img/<name>.png, every pixel `argb` (straight alpha).
  void WriteSolid(const std::string& name, int width, int height, uint32_t argb);
  // img/<name>.png, pixel colours from `colour(x, y)` (straight ARGB).
  void WriteImage(const std::string& name, int width, int height, const std::function<uint32_t(int, int)>& colour);

  // Types of the notifications seen so far, and those of one type.
  std::vector<std::wstring> Types() const;
  int Count(std::wstring_view type) const;

  void Notify(zui::NotifyRecord& msg) override { notes_.push_back(msg); }

  std::unique_ptr<SkinTestWindow> window_;
  std::vector<zui::NotifyRecord> notes_;
};

// Straight ARGB of the colour as a premultiplied frame pixel of an opaque area.
inline uint32_t Opaque(uint32_t argb) { return argb | 0xFF000000u; }

// The smallest rectangle holding every pixel of `area` for which `is(pixel)`.
zui::Rect BoundsWhere(const zui::Bitmap& frame, const zui::Rect& area, const std::function<bool(uint32_t)>& is);

// Whether text of `colour` was drawn over `background` in `area`: some pixel
// lies at least halfway from the background towards the colour, on the line
// between them (anti-aliasing only mixes the two).
bool HasTextColour(const zui::Bitmap& frame, const zui::Rect& area, uint32_t background, uint32_t colour);

}  // namespace ztest
