#pragma once
// CShadowUI: the drop shadow of a skinned window. The shadow is a layered,
// click-through popup owned by the window, kept directly behind it, whose
// per-pixel-alpha content is either the skin's shadow image stretched around
// the window (corners kept) or a soft edge computed from the settings. It
// follows the window by taking over the window's procedure: moves, sizes,
// showing, activation and destruction of the window reach the shadow first.

#include <cstdint>
#include <string>

#include "ui/base/bitmap.h"
#include "ui/base/geometry.h"
#include "ui/base/messages.h"

namespace zui {

class CPaintManagerUI;

// The drop shadow settings a skin's Window element carries.
struct ShadowSettings {
  bool enabled = false;
  std::wstring image;  // set: image mode
  Rect imageCorner;    // corners of the image kept unstretched
  Rect extents;        // extra reach of the image on each side
  int8_t size = 0;
  uint8_t sharpness = 5;
  uint8_t darkness = 200;
  int8_t offsetX = 0;
  int8_t offsetY = 0;
  uint32_t color = 0;  // ARGB; only the colour is used, darkness gives the alpha
};

class CShadowUI {
 public:
  static constexpr const wchar_t* kClassName = L"UmbraShadowWnd";
  enum Status : uint8_t { kCreated = 1, kShown = 2, kParentVisible = 4 };

  CShadowUI() = default;
  ~CShadowUI();
  CShadowUI(const CShadowUI&) = delete;
  CShadowUI& operator=(const CShadowUI&) = delete;

  ShadowSettings& Settings() { return settings_; }
  const ShadowSettings& Settings() const { return settings_; }

  // Makes the shadow of the manager's window when the settings enable it;
  // once per manager.
  void Create(CPaintManagerUI* manager);
  // Draws the shadow for the window's current place and size; only while
  // the shadow is created and shown.
  void Update();

  WindowHandle GetShadowWindow() const { return window_; }
  uint8_t GetStatus() const { return status_; }

  // The content for a window of `size`: its bitmap and where it goes
  // relative to the window's top left. False when there is nothing to show
  // (no size, no image, or extents no window could have).
  bool Render(Size size, Bitmap& out, Point& offset);

 private:
  static LRESULT_T ParentProc(WindowHandle parent, uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  void OnParentMessage(uint32_t message, WPARAM_T wParam, LPARAM_T lParam);
  void Show();
  void Hide();
  void DestroyShadowWindow();
  bool RenderImage(Size size, Bitmap& out, Point& offset);
  bool RenderComputed(Size size, Bitmap& out, Point& offset);

  ShadowSettings settings_;
  CPaintManagerUI* manager_ = nullptr;
  WindowHandle parent_ = nullptr;
  WindowHandle window_ = nullptr;
  uint8_t status_ = 0;
  // The last content and the window size it was made for: most updates
  // only move the shadow.
  Bitmap content_;
  Size contentFor_;
  Point contentOffset_;
  bool hasContent_ = false;
};

}  // namespace zui
