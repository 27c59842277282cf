// Tearing down trees that live in windows: every control named, each tree
// attached to its window's paint manager, then all of it removed and the
// manager's queue drained, which is when removed controls die. Prints the
// time per tree of 1,000 and of 10,000 controls and their ratio; a linear
// teardown keeps the ratio near 10.
//
// Each timed region frees the same 10,000 controls: one tree of 10,000, or
// ten trees of 1,000 whose time is divided by ten. Otherwise the larger tree
// alone pays for what does not depend on the tree's shape: it no longer fits
// the caches and TLB, and the allocator merges its free chunks inside the
// region, where after a small tree it does so only later, outside it. Both
// start with the trees out of the caches, as a window closed after a while of
// other work does. The timed figure is the thread's CPU time, since on a
// shared machine a 1 ms run often fits in one time slice while a 30 ms run is
// preempted many times; the wall time is kept as a counter.

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/support/skin_test_window.h"
#include "ui/layout/container.h"
#include "ui/window/paint_manager.h"

namespace {

constexpr int kLeavesPerBox = 9;

// Pushes the tree out of the caches by writing a buffer larger than them.
void EvictCaches() {
  static std::vector<char> buffer(64 << 20);
  for (size_t i = 0; i < buffer.size(); i += 64) buffer[i] = static_cast<char>(buffer[i] + 1);
  benchmark::DoNotOptimize(buffer.data());
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// `controls` controls in all: the root, boxes of nine leaves, every one named
// (`prefix` keeps the names of several trees in one window apart).
zui::CContainerUI* NamedTree(int controls, const std::wstring& prefix) {
  auto* root = new zui::CContainerUI;
  root->SetName(prefix + L"root");
  int made = 1;
  for (int box = 0; made < controls; ++box) {
    auto* container = new zui::CContainerUI;
    container->SetName(prefix + L"box" + std::to_wstring(box));
    ++made;
    for (int leaf = 0; leaf < kLeavesPerBox && made < controls; ++leaf, ++made) {
      auto* control = new zui::CControlUI;
      control->SetName(prefix + L"c" + std::to_wstring(made));
      container->Add(control);
    }
    root->Add(container);
  }
  return root;
}

constexpr int kControlsPerRegion = 10000;

void BM_TreeTeardown(benchmark::State& state) {
  const int controls = static_cast<int>(state.range(0));
  const int trees = kControlsPerRegion / controls;
  double wallSeconds = 0;
  for (auto _ : state) {
    ztest::SkinTestWindow window{{400, 300}};
    auto* holder = new zui::CContainerUI;
    window.Manager().AttachDialog(holder);
    for (int i = 0; i < trees; ++i) holder->Add(NamedTree(controls, L"t" + std::to_wstring(i)));
    if (window.Manager().FindControl(L"t0c" + std::to_wstring(controls - 1)) == nullptr)
      state.SkipWithError("the last control is not in the name table");

    EvictCaches();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    for (int i = 0; i < trees; ++i) {
      holder->RemoveAt(holder->GetCount() - 1);
      zui::LRESULT_T result = 0;
      window.Manager().MessageHandler(zui::CPaintManagerUI::kMsgDrainQueue, 0, 0, result);
    }
    state.SetIterationTime((ThreadCpuSeconds() - cpuStart) / trees);
    wallSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / trees;

    if (window.Manager().FindControl(L"t0c1") != nullptr) state.SkipWithError("a removed control is still named");
  }
  state.counters["controls"] = controls;
  state.counters["wall_ms"] = 1e3 * wallSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TreeTeardown)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Keeps every run's real time per iteration, in milliseconds, by name.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
      const auto wall = run.counters.find("wall_ms");
      if (wall != run.counters.end()) wallMs_[run.benchmark_name()] = wall->second.value;
    }
  }
  double Ms(const std::string& name) const { return Find(ms_, name); }
  double WallMs(const std::string& name) const { return Find(wallMs_, name); }

 private:
  static double Find(const std::map<std::string, double>& table, const std::string& name) {
    const auto it = table.find(name);
    return it == table.end() ? -1 : it->second;
  }
  std::map<std::string, double> ms_;
  std::map<std::string, double> wallMs_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string small = "BM_TreeTeardown/1000/manual_time";
  const std::string large = "BM_TreeTeardown/10000/manual_time";
  std::printf("\nteardown of a named tree in a window       CPU        wall\n");
  std::printf("%-40s %8.3f ms %8.3f ms\n", "1,000 controls (one tree of ten)", reporter.Ms(small),
              reporter.WallMs(small));
  std::printf("%-40s %8.3f ms %8.3f ms\n", "10,000 controls", reporter.Ms(large), reporter.WallMs(large));
  if (reporter.Ms(small) > 0 && reporter.WallMs(small) > 0) {
    const double cpuRatio = reporter.Ms(large) / reporter.Ms(small);
    std::printf("%-40s %8.1fx    %8.1fx   target (CPU) < 12x: %s\n", "ratio", cpuRatio,
                reporter.WallMs(large) / reporter.WallMs(small), cpuRatio < 12 ? "met" : "MISSED");
  }
  benchmark::Shutdown();
  return 0;
}
