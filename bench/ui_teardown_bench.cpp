// Tearing down a tree that lives in a window: every control named, the tree
// attached to the window's paint manager, then all of it removed and the
// manager's queue drained, which is when removed controls die. Prints the
// time for 1,000 and 10,000 controls and their ratio; a linear teardown
// keeps the ratio near 10.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "tests/support/skin_test_window.h"
#include "ui/layout/container.h"
#include "ui/window/paint_manager.h"

namespace {

constexpr int kLeavesPerBox = 9;

// `controls` controls in all: the root, boxes of nine leaves, every one named.
zui::CContainerUI* NamedTree(int controls) {
  auto* root = new zui::CContainerUI;
  root->SetName(L"root");
  int made = 1;
  for (int box = 0; made < controls; ++box) {
    auto* container = new zui::CContainerUI;
    container->SetName(L"box" + std::to_wstring(box));
    ++made;
    for (int leaf = 0; leaf < kLeavesPerBox && made < controls; ++leaf, ++made) {
      auto* control = new zui::CControlUI;
      control->SetName(L"c" + std::to_wstring(made));
      container->Add(control);
    }
    root->Add(container);
  }
  return root;
}

void BM_TreeTeardown(benchmark::State& state) {
  const int controls = static_cast<int>(state.range(0));
  for (auto _ : state) {
    ztest::SkinTestWindow window{{400, 300}};
    auto* root = NamedTree(controls);
    window.Manager().AttachDialog(root);
    if (window.Manager().FindControl(L"c" + std::to_wstring(controls - 1)) == nullptr)
      state.SkipWithError("the last control is not in the name table");

    const auto start = std::chrono::steady_clock::now();
    root->RemoveAll();
    zui::LRESULT_T result = 0;
    window.Manager().MessageHandler(zui::CPaintManagerUI::kMsgDrainQueue, 0, 0, result);
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());

    if (window.Manager().FindControl(L"c1") != nullptr) state.SkipWithError("a removed control is still named");
  }
  state.counters["controls"] = controls;
}
BENCHMARK(BM_TreeTeardown)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Keeps every run's real time per iteration, in milliseconds, by name.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred) ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  double Ms(const std::string& name) const {
    const auto it = ms_.find(name);
    return it == ms_.end() ? -1 : it->second;
  }

 private:
  std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double small = reporter.Ms("BM_TreeTeardown/1000/manual_time");
  const double large = reporter.Ms("BM_TreeTeardown/10000/manual_time");
  std::printf("\nteardown of a named tree in a window\n");
  std::printf("%-16s %10.3f ms\n", "1,000 controls", small);
  std::printf("%-16s %10.3f ms\n", "10,000 controls", large);
  if (small > 0 && large > 0)
    std::printf("%-16s %10.1fx   target < 12x: %s\n", "ratio", large / small, large / small < 12 ? "met" : "MISSED");
  benchmark::Shutdown();
  return 0;
}
