// Arbitrary bytes as a skin document, through the whole pipeline: the reader,
// the builder filling a paint manager bound to an in-memory window, attaching
// the tree, and one paint of the shown window.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/resources/resource_tables.h"
#include "ui/window/skin_builder.h"
#include "ui/host/headless/headless_host.h"

namespace {

constexpr const wchar_t* kClassName = L"SkinPipelineFuzz";
// A screen bounds what a window can show; painting a skin's 32767-pixel
// window would only measure the allocator.
constexpr int kMaxPaintedExtent = 1024;

zui::LRESULT_T FuzzWindowProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) {
  auto* manager = static_cast<zui::CPaintManagerUI*>(zui::Host().GetUserData(window));
  zui::LRESULT_T result = 0;
  if (manager != nullptr && manager->MessageHandler(message, wParam, lParam, result)) return result;
  return zui::Host().DefaultProc(window, message, wParam, lParam);
}

zui::HeadlessHost& FuzzHost() {
  static zui::HeadlessHost host;
  static const bool installed = [] {
    zui::SetHost(&host);
    host.RegisterWindowClass({kClassName, 0, FuzzWindowProc});
    return true;
  }();
  (void)installed;
  return host;
}

void KeepWindowPaintable(zui::HeadlessHost& host, zui::WindowHandle window) {
  const zui::Rect r = host.GetWindowRect(window);
  if (r.Width() <= kMaxPaintedExtent && r.Height() <= kMaxPaintedExtent) return;
  host.MoveHostWindow(
      window,
      {r.left, r.top, r.left + std::min(r.Width(), kMaxPaintedExtent), r.top + std::min(r.Height(), kMaxPaintedExtent)},
      true);
}

// The same user every time: moves over a grid, a press dragged and let go,
// wheel notches both ways, keys, and time for control timers (scroll-bar
// repeat, rings), so every control's input handling meets every skin.
void PlayUser(zui::HeadlessHost& host, zui::WindowHandle window) {
  const zui::Rect r = host.GetWindowRect(window);
  const int w = std::max(r.Width(), 1), h = std::max(r.Height(), 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) host.MoveMouse(window, {x * w / 4 + w / 8, y * h / 4 + h / 8});
  host.PressLeft(window, {w / 2, h / 3});
  host.MoveMouse(window, {w / 2, h / 2});
  host.AdvanceClock(400);
  host.PumpPending({}, 500);
  host.MoveMouse(window, {w / 2 + 5, h - 2});
  host.ReleaseLeft(window, {w / 2 + 5, h - 2});
  host.DoubleClickLeft(window, {w / 3, h / 2});
  host.Wheel(window, {w / 2, h / 2}, -120);
  host.Wheel(window, {w / 2, h / 2}, 240);
  for (int key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_END, VK_HOME, VK_RETURN, VK_SPACE, VK_TAB}) host.PressKey(key);
  host.PressKeys({VK_CONTROL, 'A'});
  host.PumpPending({}, 500);
  host.AdvanceClock(1100);
  host.PumpPending({}, 500);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zui::HeadlessHost& host = FuzzHost();
  zui::HostWindowDesc desc;
  desc.className = kClassName;
  desc.style = WS_POPUP;
  desc.rect = {0, 0, 200, 150};
  zui::WindowHandle window = host.CreateHostWindow(desc, nullptr);
  {
    zui::CPaintManagerUI manager;
    manager.Init(window, L"fuzz");
    host.SetUserData(window, &manager);
    zui::CSkinBuilder builder;
    if (builder.GetMarkup()->LoadFromMem(data, size, zui::CSkinMarkup::kUtf8)) {
      zui::CControlUI* root = builder.Create(nullptr, &manager, nullptr);
      KeepWindowPaintable(host, window);
      if (root != nullptr) manager.AttachDialog(root);
      host.ShowHostWindow(window, SW_SHOWNORMAL);
      host.PumpPending({}, 200);
      PlayUser(host, window);
    }
    host.DestroyHostWindow(window);
    host.PumpPending({}, 200);
  }
  // Shared declarations would otherwise pile up from one input to the next.
  zui::CSharedResources::Process().Clear();
  return 0;
}
