// zaviz-repair's options: both spellings of the valued ones, the short
// ones, and every way a command line is bad usage.

#include <gtest/gtest.h>

#include "app/zaviz_repair/command_line.h"
#include "tests/app/scoped_language.h"

namespace zaviz_repair {
namespace {

CommandLineResult Parse(const std::vector<std::string>& args, Options& options, std::string& error) {
  return ParseCommandLine(args, options, error);
}

TEST(TerminalCommandLine, TakesTheCardTheFirmwareAndTheSwitchesInEitherSpelling) {
  Options options;
  std::string error;
  ASSERT_EQ(Parse({"--card", "eth1", "--firmware=/tmp/fw image.bin", "-y", "--verbose"}, options, error),
            CommandLineResult::kRun);
  EXPECT_EQ(options.card, "eth1");
  EXPECT_EQ(options.firmware, "/tmp/fw image.bin");
  EXPECT_TRUE(options.yes);
  EXPECT_TRUE(options.verbose);

  Options numbered;
  ASSERT_EQ(Parse({"--card=2", "--firmware", "fw.bin", "--yes"}, numbered, error), CommandLineResult::kRun);
  EXPECT_EQ(numbered.card, "2");
  EXPECT_EQ(numbered.firmware, "fw.bin");
  EXPECT_TRUE(numbered.yes);
  EXPECT_FALSE(numbered.verbose);

  Options none;
  ASSERT_EQ(Parse({}, none, error), CommandLineResult::kRun);
  EXPECT_FALSE(none.card);
  EXPECT_FALSE(none.firmware);
  EXPECT_FALSE(none.yes);
}

TEST(TerminalCommandLine, TheLanguageIsReadFirstAndOnlyZhOrEnIsTaken) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  EXPECT_EQ(LanguageOption({"--bogus", "--lang", "zh"}), zapp::Language::kChinese) << "before the bad option stops";
  EXPECT_EQ(LanguageOption({"--lang=en"}), zapp::Language::kEnglish);
  EXPECT_FALSE(LanguageOption({"--card", "eth0"}));
  Options options;
  std::string error;
  EXPECT_EQ(Parse({"--lang", "en", "-y"}, options, error), CommandLineResult::kRun);
  EXPECT_EQ(options.language, zapp::Language::kEnglish);
  EXPECT_EQ(Parse({"--lang", "de"}, options, error), CommandLineResult::kError);
  EXPECT_EQ(error, "--lang takes zh or en");
}

TEST(TerminalCommandLine, HelpAndVersionWinWhereverTheyStand) {
  Options options;
  std::string error;
  EXPECT_EQ(Parse({"--card", "eth0", "--help"}, options, error), CommandLineResult::kHelp);
  EXPECT_EQ(Parse({"-h"}, options, error), CommandLineResult::kHelp);
  EXPECT_EQ(Parse({"--version", "--bogus"}, options, error), CommandLineResult::kVersion);
}

TEST(TerminalCommandLine, UnknownOptionsAndMissingValuesAreBadUsageWithOneLine) {
  const zapp::testing::ScopedLanguage english(zapp::Language::kEnglish);
  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"--bogus"}, "unknown option '--bogus'"},      {{"eth0"}, "unknown option 'eth0'"},
      {{"--card"}, "--card needs a value"},           {{"--card="}, "--card needs a value"},
      {{"--firmware"}, "--firmware needs a value"},   {{"--firmware="}, "--firmware needs a value"},
      {{"--cards", "x"}, "unknown option '--cards'"},
  };
  for (const auto& [args, expected] : bad) {
    Options options;
    std::string error;
    EXPECT_EQ(Parse(args, options, error), CommandLineResult::kError) << args[0];
    EXPECT_EQ(error, expected);
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

}  // namespace
}  // namespace zaviz_repair
