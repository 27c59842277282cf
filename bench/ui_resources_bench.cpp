// Parse time of generated skins of growing size. Three shapes: a flat window
// of many controls with entity-laden attributes, a deep chain of nested
// containers, and many comments. Each should scale linearly with its length.

#include <benchmark/benchmark.h>

#include <string>

#include "ui/resources/skin_markup.h"

namespace {

std::wstring FlatSkin(int64_t controls) {
  std::wstring xml = L"<?xml version=\"1.0\"?><Window size=\"484,306\">";
  for (int64_t i = 0; i < controls; ++i) {
    xml += L"<Button name=\"b" + std::to_wstring(i) +
           L"\" text=\"&lt;start&gt; &amp; go\" pos=\"1,2,3,4\" bkimage=\"file='img\\bk.png' corner='2,2,2,2'\"/>";
  }
  return xml + L"</Window>";
}

std::wstring DeepSkin(int64_t depth) {
  std::wstring xml;
  for (int64_t i = 0; i < depth; ++i) xml += L"<VerticalLayout width=\"10\">";
  for (int64_t i = 0; i < depth; ++i) xml += L"</VerticalLayout>";
  return xml;
}

std::wstring CommentedSkin(int64_t comments) {
  std::wstring xml = L"<Window>";
  for (int64_t i = 0; i < comments; ++i) xml += L"<!-- a -- b - c --><Label/>";
  return xml + L"</Window>";
}

template <std::wstring (*Make)(int64_t)>
void BM_Parse(benchmark::State& state) {
  const std::wstring xml = Make(state.range(0));
  zui::CSkinMarkup markup;
  for (auto _ : state) {
    if (!markup.Load(xml.c_str())) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(markup.ElementCount());
  }
  state.SetComplexityN(static_cast<int64_t>(xml.size()));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(xml.size() * sizeof(wchar_t)));
}

BENCHMARK_TEMPLATE(BM_Parse, FlatSkin)->RangeMultiplier(4)->Range(256, 65536)->Complexity(benchmark::oN);
BENCHMARK_TEMPLATE(BM_Parse, DeepSkin)->RangeMultiplier(4)->Range(256, 65536)->Complexity(benchmark::oN);
BENCHMARK_TEMPLATE(BM_Parse, CommentedSkin)->RangeMultiplier(4)->Range(256, 65536)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
