// What the program reads from its command line on Linux.

#include <gtest/gtest.h>

#include "app/repair/command_line.h"

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
}

TEST(RepairCommandLine, JoinsTheArgumentsWithSingleBlanksForTheConsoleRule) {
  EXPECT_EQ(JoinedCommandLine({}), L"");
  EXPECT_EQ(JoinedCommandLine({"a"}), L"a");
  EXPECT_EQ(JoinedCommandLine({"a", "b"}), L"a b");
  EXPECT_EQ(JoinedCommandLine({"修复"}), L"修复");
}

}  // namespace
}  // namespace zapp
