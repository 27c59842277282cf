// What the program reads from its command line.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "app/repair/command_line.h"
#include "ui/host/display_scale.h"

namespace zapp {
namespace {

TEST(RepairCommandLine, TakesTheCardAndVersionAndIgnoresTheRest) {
  RepairOptions o = ParseRepairOptions({"--card", "veth-repair", "--verbose", "x"});
  ASSERT_TRUE(o.card);
  EXPECT_EQ(*o.card, "veth-repair");
  EXPECT_FALSE(o.version);
  o = ParseRepairOptions({"--card=eth1", "--version"});
  EXPECT_EQ(o.card.value_or(""), "eth1");
  EXPECT_TRUE(o.version);
  EXPECT_FALSE(ParseRepairOptions({"--card"}).card) << "no name follows";
  EXPECT_FALSE(ParseRepairOptions({"--card="}).card);
  EXPECT_FALSE(ParseRepairOptions({"--help"}).version);
  EXPECT_EQ(ParseRepairOptions({"--lang", "en"}).language, Language::kEnglish);
  EXPECT_EQ(ParseRepairOptions({"--lang=zh", "--card", "x"}).language, Language::kChinese);
  EXPECT_FALSE(ParseRepairOptions({"--lang", "fr"}).language) << "the system's language then";
}

TEST(RepairCommandLine, ScaleIsDigitsOnlyAndWinsOverTheDesktop) {
  EXPECT_EQ(ParseRepairOptions({"--scale", "150"}).scale, 150);
  EXPECT_EQ(ParseRepairOptions({"--scale=200", "--card", "x"}).scale, 200);
  EXPECT_FALSE(ParseRepairOptions({"--scale", "1.5"}).scale);
  EXPECT_FALSE(ParseRepairOptions({"--scale=-100"}).scale);
  EXPECT_FALSE(ParseRepairOptions({"--scale"}).scale);

  zui::DisplayScaleSources desktop;
  desktop.gdkScale = "2";
  desktop.dpi = 96;
  EXPECT_EQ(zui::ChooseDisplayScale(desktop), 200) << "GDK_SCALE before the dots per inch";
  desktop.requested = ParseRepairOptions({"--scale", "130"}).scale;
  EXPECT_EQ(zui::ChooseDisplayScale(desktop), 125) << "the user's choice first, to the nearest step";
}

TEST(DisplayScaleChoice, DotsPerInchRoundToTheStepsFrom100To200) {
  zui::DisplayScaleSources desktop;
  const std::pair<int, int> cases[] = {{96, 100},  {110, 125}, {120, 125}, {144, 150}, {168, 175},
                                       {192, 200}, {288, 200}, {72, 100},  {0, 100}};
  for (const auto& [dpi, percent] : cases) {
    desktop.dpi = dpi;
    EXPECT_EQ(zui::ChooseDisplayScale(desktop), percent) << dpi << " dpi";
  }
  // GDK_SCALE as GTK reads it: a whole factor, else not there.
  for (const char* unusable : {"", "0", "1.5", "x", "-2", "999"}) {
    EXPECT_EQ(zui::ChooseDisplayScale({std::nullopt, unusable, 144}), 150) << "GDK_SCALE=" << unusable;
  }
  EXPECT_EQ(zui::ChooseDisplayScale({std::nullopt, "3", 144}), 200);
  EXPECT_EQ(zui::RoundDisplayScale(std::nan("")), 100);
}

TEST(RepairCommandLine, JoinsTheArgumentsWithSingleBlanksForTheConsoleRule) {
  EXPECT_EQ(JoinedCommandLine({}), L"");
  EXPECT_EQ(JoinedCommandLine({"a"}), L"a");
  EXPECT_EQ(JoinedCommandLine({"a", "b"}), L"a b");
  EXPECT_EQ(JoinedCommandLine({"修复"}), L"修复");
}

}  // namespace
}  // namespace zapp
