// A list of 1,000 rows as the card chooser builds them (44-pixel container
// rows of a check box, a label and a button under a 1-pixel header, a
// vertical scroll bar), in a 484 x 306 window. Measures:
//   - layout: the list placed again in its rectangle (every row measured
//     and placed), against the same list with 10 rows;
//   - full paint of the window with the list, against the same window with
//     an empty list;
//   - one wheel notch scrolling the list by a row, routed by the paint
//     manager and painted: what the user waits for on every notch.
// Prints the times, the targets and the ratios to the baselines at the end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "tests/support/skin_test_window.h"
#include "ui/layout/container.h"
#include "ui/window/skin_builder.h"

namespace {

constexpr zui::Size kWindowSize{484, 306};

std::wstring ListSkin(int rows) {
  std::wstring xml =
      L"<Window size=\"484,306\">"
      L"<Font id=\"0\" name=\"Microsoft YaHei\" size=\"12\" default=\"true\"/>"
      L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot; "
      L"showbutton2=&quot;false&quot;\"/>"
      L"<VerticalLayout bkcolor=\"#FFFFFFFF\" inset=\"20,40,20,20\">"
      L"<List name=\"cards\" vscrollbar=\"true\" scrollstepsize=\"44\" itemshowrowline=\"true\" "
      L"itemlinecolor=\"#FFDFE3E9\" itemhotbkcolor=\"#FFB4F6E3\" itemselectedbkcolor=\"#FFE4F0FC\">"
      L"<ListHeader height=\"1\"><ListHeaderItem width=\"30\" sepwidth=\"0\"/>"
      L"<ListHeaderItem width=\"320\" sepwidth=\"0\"/><ListHeaderItem width=\"76\" sepwidth=\"0\"/></ListHeader>";
  for (int i = 0; i < rows; ++i) {
    xml += L"<ListContainerElement height=\"44\">"
           L"<Control width=\"14\" height=\"14\" padding=\"8,15,0,0\" bordersize=\"1\" bordercolor=\"#FF808080\"/>"
           L"<Label text=\"Intel(R) Ethernet Connection " +
           std::to_wstring(i) +
           L"\" textcolor=\"#FF212121\"/>"
           L"<Button text=\"选择\" width=\"60\" height=\"26\" padding=\"0,9,0,0\" bkcolor=\"#FF2F8CF0\" "
           L"textcolor=\"#FFFFFFFF\"/>"
           L"</ListContainerElement>";
  }
  return xml + L"</List></VerticalLayout></Window>";
}

zui::CContainerUI* ShowList(ztest::SkinTestWindow& window, int rows, benchmark::State& state) {
  zui::CSkinBuilder builder;
  zui::CControlUI* root = builder.Create(ListSkin(rows), {}, nullptr, &window.Manager());
  if (root == nullptr || !window.Manager().AttachDialog(root) || window.ShowAndPaint() == nullptr) {
    state.SkipWithError("the list skin did not build");
    return nullptr;
  }
  auto* list = dynamic_cast<zui::CContainerUI*>(window.Manager().FindControl(L"cards"));
  if (list == nullptr) state.SkipWithError("no list named cards");
  return list;
}

void BM_ListLayout(benchmark::State& state) {
  ztest::SkinTestWindow window{kWindowSize};
  zui::CContainerUI* list = ShowList(window, static_cast<int>(state.range(0)), state);
  if (list == nullptr) return;
  const zui::Rect rect = list->GetPos();
  for (auto _ : state) list->SetPos(rect, false);
  state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ListLayout)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ListFullPaint(benchmark::State& state) {
  ztest::SkinTestWindow window{kWindowSize};
  if (ShowList(window, static_cast<int>(state.range(0)), state) == nullptr) return;
  for (auto _ : state) {
    window.Host().InvalidateRect(window.Handle(), nullptr);
    window.Host().PumpPending();
  }
}
BENCHMARK(BM_ListFullPaint)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ListWheelScroll(benchmark::State& state) {
  ztest::SkinTestWindow window{kWindowSize};
  zui::CContainerUI* list = ShowList(window, 1000, state);
  if (list == nullptr) return;
  const zui::Point over{200, 150};
  window.Host().MoveMouse(window.Handle(), over);
  window.Host().PumpPending();
  int direction = -120;  // toward the user: down the list
  int moved = 0;
  for (auto _ : state) {
    const int before = list->GetScrollPos().cy;
    window.Host().Wheel(window.Handle(), over, direction);
    window.Host().PumpPending();
    moved += list->GetScrollPos().cy != before;
    if (list->GetScrollPos().cy >= list->GetScrollRange().cy || list->GetScrollPos().cy == 0) direction = -direction;
  }
  if (moved == 0) state.SkipWithError("the wheel did not scroll the list");
  state.counters["scroll_px"] = list->GetScrollPos().cy;
}
BENCHMARK(BM_ListWheelScroll)->Unit(benchmark::kMicrosecond);

// Keeps every run's real time per iteration, in milliseconds, by name.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred) ms_[run.benchmark_name()] = run.GetAdjustedRealTime() * Scale(run.time_unit);
  }
  double Ms(const std::string& name) const {
    const auto it = ms_.find(name);
    return it == ms_.end() ? -1 : it->second;
  }

 private:
  static double Scale(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e-6;
      case benchmark::kMicrosecond: return 1e-3;
      case benchmark::kMillisecond: return 1;
      default: return 1e3;
    }
  }
  std::map<std::string, double> ms_;
};

void PrintLine(const char* what, double ms, double targetMs, double baselineMs, const char* baseline) {
  if (ms < 0) {
    std::printf("%-34s not measured\n", what);
    return;
  }
  std::printf("%-34s %8.3f ms", what, ms);
  if (targetMs > 0) std::printf("   target < %.0f ms: %s", targetMs, ms < targetMs ? "met" : "MISSED");
  if (baselineMs > 0) std::printf("   %.1fx %s", ms / baselineMs, baseline);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nlist of 1,000 rows, 484 x 306 window\n");
  PrintLine("layout of the list", reporter.Ms("BM_ListLayout/1000"), 2, reporter.Ms("BM_ListLayout/10"),
            "the 10-row list");
  PrintLine("full paint of the window", reporter.Ms("BM_ListFullPaint/1000"), 0, reporter.Ms("BM_ListFullPaint/0"),
            "the window with an empty list");
  PrintLine("one wheel notch, scrolled + painted", reporter.Ms("BM_ListWheelScroll"), 1,
            reporter.Ms("BM_ListFullPaint/0"), "a full paint of the empty window");
  benchmark::Shutdown();
  return 0;
}
