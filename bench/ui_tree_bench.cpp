// A skin of 200 controls: a root container with nine column containers of
// floating children (pos, colours, gradients, borders), some of them taking
// a default list and a style. Measures one build (text to detached tree),
// one build + attach + first paint, a full repaint, and one mouse move that
// the paint manager routes to the same hot control every time.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tests/support/skin_test_window.h"
#include "ui/controls/control.h"
#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"
#include "ui/host/headless/headless_host.h"
#include "ui/layout/container.h"

namespace {

constexpr int kColumns = 9;
constexpr int kRowsPerColumn = 21;
constexpr zui::Size kWindowSize{940, 660};

// 1 root + 9 columns + 190 children = 200 controls.
std::wstring TreeSkin() {
  std::wstring xml =
      L"<Window size=\"940,660\">"
      L"<Default name=\"Control\" value=\"float=&quot;true&quot; bordercolor=&quot;#FF202020&quot;\"/>"
      L"<Style name=\"card\" value=\"bkcolor=&quot;#FFFFFFFF&quot; borderround=&quot;6,6&quot; bordersize=&quot;1&quot;\"/>"
      L"<Container bkcolor=\"#FFF0F0F0\">";
  int children = 0;
  for (int c = 0; c < kColumns; ++c) {
    const int left = 10 + c * 102;
    xml += L"<Container float=\"true\" pos=\"" + std::to_wstring(left) + L",10," + std::to_wstring(left + 100) +
           L",650\" bkcolor=\"#FFE0E8F0\" bordersize=\"1\" bordercolor=\"#FF8090A0\">";
    const int rows = c == 0 ? kRowsPerColumn + 1 : kRowsPerColumn;  // 22 + 8 x 21 = 190
    for (int r = 0; r < rows && children < 190; ++r, ++children) {
      const int top = 4 + r * 29;
      const std::wstring pos = L"4," + std::to_wstring(top) + L",96," + std::to_wstring(top + 26);
      switch (r % 3) {
        case 0:
          xml += L"<Control name=\"c" + std::to_wstring(children) + L"\" pos=\"" + pos + L"\" style=\"card\"/>";
          break;
        case 1:
          xml += L"<Control pos=\"" + pos + L"\" bkcolor=\"#FF3070C0\" bkcolor2=\"#FF90C0F0\" gradient=\"hor\"/>";
          break;
        default:
          xml += L"<Control pos=\"" + pos + L"\" bkcolor=\"#80C04040\" leftbordersize=\"3\" bottombordersize=\"1\"/>";
          break;
      }
    }
    xml += L"</Container>";
  }
  return xml + L"</Container></Window>";
}

int CountControls(zui::CControlUI* control) {
  int count = 1;
  if (auto* box = dynamic_cast<zui::IContainerUI*>(control))
    for (int i = 0; i < box->GetCount(); ++i) count += CountControls(box->GetItemAt(i));
  return count;
}

void BM_BuildTree(benchmark::State& state) {
  const std::wstring xml = TreeSkin();
  ztest::SkinTestWindow window{kWindowSize};
  for (auto _ : state) {
    zui::CSkinBuilder builder;
    std::unique_ptr<zui::CControlUI> root(builder.Create(xml, {}, nullptr, &window.Manager()));
    benchmark::DoNotOptimize(root.get());
    if (root == nullptr) state.SkipWithError("skin did not build");
  }
  zui::CSkinBuilder builder;
  std::unique_ptr<zui::CControlUI> root(builder.Create(xml, {}, nullptr, &window.Manager()));
  state.counters["controls"] = root ? CountControls(root.get()) : 0;
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMicrosecond);

void BM_BuildAttachFirstPaint(benchmark::State& state) {
  const std::wstring xml = TreeSkin();
  for (auto _ : state) {
    ztest::SkinTestWindow window{kWindowSize};
    zui::CSkinBuilder builder;
    window.Manager().AttachDialog(builder.Create(xml, {}, nullptr, &window.Manager()));
    window.Host().ShowHostWindow(window.Handle(), SW_SHOWNORMAL);
    window.Host().PumpPending();
    if (window.Host().Frame(window.Handle()) == nullptr) state.SkipWithError("nothing presented");
  }
}
BENCHMARK(BM_BuildAttachFirstPaint)->Unit(benchmark::kMicrosecond);

// A whole-window repaint of a window that is already up: what every later
// frame costs once the bitmaps exist (the first paint above also pays for
// the kernel zero-filling two new frame buffers).
void BM_FullRepaint(benchmark::State& state) {
  ztest::SkinTestWindow window{kWindowSize};
  zui::CSkinBuilder builder;
  window.Manager().AttachDialog(builder.Create(TreeSkin(), {}, nullptr, &window.Manager()));
  window.Host().ShowHostWindow(window.Handle(), SW_SHOWNORMAL);
  window.Host().PumpPending();
  for (auto _ : state) {
    window.Host().InvalidateRect(window.Handle(), nullptr);
    window.Host().PumpPending();
  }
  if (window.Host().Frame(window.Handle()) == nullptr) state.SkipWithError("nothing presented");
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_MouseMoveOverTree(benchmark::State& state) {
  ztest::SkinTestWindow window{kWindowSize};
  zui::CSkinBuilder builder;
  window.Manager().AttachDialog(builder.Create(TreeSkin(), {}, nullptr, &window.Manager()));
  window.Host().ShowHostWindow(window.Handle(), SW_SHOWNORMAL);
  window.Host().PumpPending();
  // Over a named card near the bottom of the last column; the hit test
  // tries children from last to first, the columns too.
  const zui::Point point{10 + 8 * 102 + 50, 10 + 4 + 18 * 29 + 10};
  const zui::LPARAM_T lParam = static_cast<zui::LPARAM_T>((point.y << 16) | point.x);
  zui::LRESULT_T result = 0;
  window.Manager().MessageHandler(WM_MOUSEMOVE, 0, lParam, result);
  zui::CControlUI* hot = window.Manager().GetHot();
  if (hot == nullptr || hot->GetName().empty()) state.SkipWithError("no named control under the mouse");
  for (auto _ : state) {
    window.Manager().MessageHandler(WM_MOUSEMOVE, 0, lParam, result);
  }
  if (window.Manager().GetHot() != hot) state.SkipWithError("the hot control changed");
  window.Host().PumpPending();
}
BENCHMARK(BM_MouseMoveOverTree)->Iterations(10000)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
