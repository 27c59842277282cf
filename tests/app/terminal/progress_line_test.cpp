// The progress as the terminal shows it: the rate over the last seconds,
// the time left through the finishing phase, the bar line and the plain
// steps.

#include <gtest/gtest.h>

#include "app/zaviz_repair/progress_line.h"
#include "tests/app/scoped_language.h"

namespace zaviz_repair {
namespace {

TEST(TransferMeter, MeasuresTheRateOverTheLastSecondsAndStartsAfreshWhenTheBoxStartsOver) {
  TransferMeter meter;
  EXPECT_EQ(meter.BytesPerSecond(), 0);
  EXPECT_EQ(meter.BytesLeft(), 0);
  meter.Add(1000, 100000, 0);
  EXPECT_EQ(meter.BytesPerSecond(), 0) << "one report says nothing about a rate";
  meter.Add(3000, 100000, 1000);
  EXPECT_DOUBLE_EQ(meter.BytesPerSecond(), 2000);
  EXPECT_DOUBLE_EQ(meter.BytesLeft(), 97000);

  // Fast at first, then slow: after the window only the slow part counts.
  for (uint64_t ms = 2000; ms <= 10000; ms += 1000) meter.Add(3000 + double(ms - 1000) / 10, 100000, ms);
  EXPECT_NEAR(meter.BytesPerSecond(), 100, 1);

  meter.Add(500, 100000, 11000);  // a new download from the start
  EXPECT_EQ(meter.BytesPerSecond(), 0);
  EXPECT_DOUBLE_EQ(meter.BytesLeft(), 99500);
  meter.Add(1500, 100000, 11500);
  EXPECT_DOUBLE_EQ(meter.BytesPerSecond(), 2000);
}

TEST(TimeLeft, CountsTheRestOfTheDownloadAndEveryFinishingTick) {
  // 40 ticks of 3 s after the download.
  EXPECT_EQ(EstimateSecondsLeft(30, 5000, 1000, 3000), 5 + 120);
  EXPECT_EQ(EstimateSecondsLeft(30, 5001, 1000, 3000), 6 + 120) << "a started second counts";
  EXPECT_EQ(EstimateSecondsLeft(30, 5000, 0, 3000), std::nullopt) << "no rate yet";
  EXPECT_EQ(EstimateSecondsLeft(60, 0, 0, 3000), 120);
  EXPECT_EQ(EstimateSecondsLeft(75, 0, 0, 3000), 75);
  EXPECT_EQ(EstimateSecondsLeft(100, 0, 0, 3000), 0);
  EXPECT_EQ(EstimateSecondsLeft(140, 0, 0, 3000), 0);
  EXPECT_EQ(EstimateSecondsLeft(99, 0, 0, 1), 1);
}

TEST(BarLine, ShowsTheBarThePercentageTheRateAndTheTimeLeft) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  EXPECT_EQ(BarLine(45, 1.5 * 1024 * 1024, 130, 20), "[#########...........]  45%  1.5 MB/s  2:10 left");
  EXPECT_EQ(BarLine(0, 0, std::nullopt, 10), "[..........]   0%  --  -- left");
  EXPECT_EQ(BarLine(100, 0, 0, 10), "[##########] 100%  --  0:00 left");
  EXPECT_EQ(BarLine(-5, 0, 0, 4), "[....]   0%  --  0:00 left");
  EXPECT_EQ(BarLine(250, 0, 0, 4), "[####] 100%  --  0:00 left");
  // The same width at every percentage, so a redraw covers the line before.
  EXPECT_EQ(BarLine(7, 0, 0).size(), BarLine(100, 0, 0).size());
}

TEST(BarLine, RatesAndDurationsReadAsPeopleWriteThem) {
  EXPECT_EQ(FormatRate(950), "950 B/s");
  EXPECT_EQ(FormatRate(12.3 * 1024), "12.3 KB/s");
  EXPECT_EQ(FormatRate(-3), "0 B/s");
  EXPECT_EQ(FormatDuration(7), "0:07");
  EXPECT_EQ(FormatDuration(125), "2:05");
  EXPECT_EQ(FormatDuration(3723), "1:02:03");
  EXPECT_EQ(FormatDuration(-1), "0:00");
}

TEST(PlainSteps, OneLinePerTenPercentWhateverTheValuesInBetween) {
  PlainSteps steps;
  std::vector<int> printed;
  for (int percent : {1, 2, 9, 10, 11, 35, 36, 60, 61, 99, 100, 100}) {
    if (steps.Due(percent)) printed.push_back(percent);
  }
  EXPECT_EQ(printed, (std::vector<int>{1, 10, 35, 60, 99, 100}));
}

}  // namespace
}  // namespace zaviz_repair
