// Text costs of one repaint of the repair window: twelve label lines drawn
// with warm glyph caches, and the wrapped-text measure of a text control.

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ui/base/bitmap.h"
#include "ui/text/text_engine.h"
#include "ui/text/text_format.h"

namespace {

const wchar_t* const kLines[] = {
    L"Vombel修复工具",
    L"请将Vombel和pc用网线连接并保持接通电源",
    L"修复中，请勿退出修复工具",
    L"正在下载",
    L"99%",
    L"修复成功",
    L"修复失败",
    L"请选择网卡",
    L"系统检测到您有多张网卡在运行，请点击选择您连接到Vombel的网卡",
    L"Realtek PCIe GbE Family Controller",
    L"修复过程中本机可能无法正常上网，修复完成后恢复",
    L"确定",
};

void BM_TwelveLabelLines(benchmark::State& state) {
  zui::ITextEngine& engine = zui::PlatformTextEngine();
  std::unique_ptr<zui::ITextFont> font = engine.CreateFont({L"微软雅黑", 12});
  zui::Bitmap frame(484, 306, 0xFFFFFFFF);
  const zui::Rect clip{0, 0, 484, 306};
  for (auto _ : state) {
    int y = 4;
    for (const wchar_t* line : kLines) {
      zui::Rect rect{10, y, 474, y + 24};
      engine.DrawText(&frame, clip, *font, line, rect, 0xFF212121,
                      DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
      y += 25;
    }
    benchmark::DoNotOptimize(frame.pixels());
  }
}
BENCHMARK(BM_TwelveLabelLines)->Unit(benchmark::kMicrosecond);

void BM_MeasureWrappedText(benchmark::State& state) {
  zui::ITextEngine& engine = zui::PlatformTextEngine();
  std::unique_ptr<zui::ITextFont> font = engine.CreateFont({L"微软雅黑", 14});
  const std::wstring text = L"先按住Vombel背面                键，再接通电源保持6-8秒后松开指示灯闪烁后开始自动修复";
  for (auto _ : state) {
    zui::Rect rect{0, 0, 390, 0};
    benchmark::DoNotOptimize(
        engine.DrawText(nullptr, {}, *font, text, rect, 0, DT_WORDBREAK | DT_CENTER | DT_CALCRECT));
  }
}
BENCHMARK(BM_MeasureWrappedText)->Unit(benchmark::kMicrosecond);

}  // namespace
