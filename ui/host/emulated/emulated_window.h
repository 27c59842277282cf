#pragma once
// One window of the emulation (private to its sources).

#include <functional>
#include <map>
#include <string>

#include "ui/host/emulated/emulated_host.h"

namespace zui {

struct EmulatedHost::WindowRecord {
  WindowHandle handle = nullptr;
  std::wstring className;
  ClassRecord cls;
  WindowProc proc = nullptr;  // the class's, until replaced
  std::map<std::wstring, void*, std::less<>> props;
  std::wstring title;
  uint32_t style = 0;  // WS_VISIBLE, WS_DISABLED, WS_MAXIMIZE, WS_MINIMIZE live here
  uint32_t exStyle = 0;
  Rect rect;         // screen; the client area is the whole window
  Rect restoreRect;  // the normal placement while minimised or maximised
  bool maximizedBeforeMinimize = false;
  WindowHandle parent = nullptr;  // WS_CHILD windows only
  WindowHandle owner = nullptr;   // top-level windows only
  void* userData = nullptr;
  Rect update;  // client coordinates
  RoundRegion region;
  uint8_t opacity = 255;
  WindowHandle placedBehind = nullptr;
  int iconId = 0;
  bool destroying = false;

  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
  bool Maximized() const { return (style & WS_MAXIMIZE) != 0; }
  bool Minimized() const { return (style & WS_MINIMIZE) != 0; }
  bool Child() const { return (style & WS_CHILD) != 0; }
  Rect Client() const { return {0, 0, rect.Width(), rect.Height()}; }
};

}  // namespace zui
