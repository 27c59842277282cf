// The repair program's process services that behave the same on both
// systems: the console rule, the single-instance guard within one process,
// the firmware folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/repair/process/console.h"
#include "app/repair/process/firmware_location.h"
#include "app/repair/process/single_instance.h"

namespace zapp {
namespace {

namespace fs = std::filesystem;

std::string UniqueName(const char* stem) { return std::string(stem) + "-" + std::to_string(std::random_device{}()); }

TEST(ConsoleRule, TwoCharactersOrMoreWhateverTheyAre) {
  EXPECT_FALSE(ConsoleWanted(L""));
  EXPECT_FALSE(ConsoleWanted(L"a"));
  EXPECT_FALSE(ConsoleWanted(L"中"));
  EXPECT_TRUE(ConsoleWanted(L"ab"));
  EXPECT_TRUE(ConsoleWanted(L" x"));
  EXPECT_TRUE(ConsoleWanted(L"  "));
  EXPECT_TRUE(ConsoleWanted(L"中文"));
}

TEST(ConsoleRule, ArgumentsAreJoinedWithSingleBlanks) {
  char program[] = "zaviz-era-varedu", a[] = "a", empty[] = "", x[] = "x", chinese[] = "中";
  char* none[] = {program};
  char* one[] = {program, a};
  char* emptyThenX[] = {program, empty, x};
  char* wide[] = {program, chinese};
  EXPECT_EQ(CommandLineOf(1, none), L"");
  EXPECT_EQ(CommandLineOf(2, one), L"a");
  EXPECT_FALSE(ConsoleWanted(CommandLineOf(2, one)));
  EXPECT_EQ(CommandLineOf(3, emptyThenX), L" x");
  EXPECT_TRUE(ConsoleWanted(CommandLineOf(3, emptyThenX)));
  EXPECT_EQ(CommandLineOf(2, wide), L"中");
  EXPECT_FALSE(ConsoleWanted(CommandLineOf(2, wide))) << "one character, however many bytes";
}

#ifdef _WIN32
// The Linux guard is tested with its own runtime folder, beside the signals.
TEST(SingleInstance, SecondAcquireFailsWhileTheFirstIsHeld) {
  const std::string name = UniqueName("ZavizTestInstance");
  EXPECT_TRUE(AcquireSingleInstance(name.c_str()));
  EXPECT_FALSE(AcquireSingleInstance(name.c_str()));
  EXPECT_FALSE(AcquireSingleInstance(name.c_str()));
  const std::string other = UniqueName("ZavizTestOther");
  EXPECT_TRUE(AcquireSingleInstance(other.c_str())) << "another name is another guard";
}
#endif

class FirmwareFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / UniqueName("zaviz-firmware");
    fs::create_directories(program_ = root_ / "program");
    fs::create_directories(working_ = root_ / "working");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  static void Touch(const fs::path& file) { std::ofstream(file, std::ios::binary) << "image"; }

  fs::path root_, program_, working_;
};

TEST_F(FirmwareFolderTest, ProgramFolderFirstThenTheWorkingFolder) {
  EXPECT_EQ(FirmwareFolder(program_, working_), program_) << "found nowhere: the program's folder";
  Touch(working_ / kFirmwareFileName);
#ifdef _WIN32
  EXPECT_EQ(FirmwareFolder(program_, working_), program_) << "Windows looks in the program's folder only";
#else
  EXPECT_EQ(FirmwareFolder(program_, working_), working_);
#endif
  Touch(program_ / kFirmwareFileName);
  EXPECT_EQ(FirmwareFolder(program_, working_), program_);
}

TEST_F(FirmwareFolderTest, OnlyARegularFileOfExactlyThatName) {
  Touch(working_ / kFirmwareFileName);
  Touch(program_ / "UpgradeImage.bin");
  Touch(program_ / "upgradeimage.bin.old");
#ifdef _WIN32
  const fs::path expected = program_;
#else
  const fs::path expected = working_;
  EXPECT_EQ(FirmwareFolder(program_, working_), expected) << "another case is another name";
#endif
  fs::remove(program_ / "UpgradeImage.bin");
  fs::create_directory(program_ / kFirmwareFileName);
  EXPECT_EQ(FirmwareFolder(program_, working_), expected) << "a folder of that name is no image";
  EXPECT_EQ(FirmwareFolder(root_ / "missing", working_), expected == program_ ? root_ / "missing" : working_);
}

}  // namespace
}  // namespace zapp
