// The support log's file: stamped lines written whole, a name per repair,
// only the ten newest of its own files kept, and silence where no folder can be.

#include "app/repair/support/support_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/tftp/tftp_test_support.h"

namespace zapp::testing {
namespace {

using namespace std::chrono_literals;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct SteppingClock {
  std::chrono::system_clock::time_point now = std::chrono::system_clock::from_time_t(1765340000) + 250ms;
  SupportLog::WallClock Clock() {
    return [this] { return now; };
  }
};

TEST(SupportLogTest, EachRepairGetsItsOwnFileOfStampedLinesRewrittenWhole) {
  ztftp::testing::ScratchFolder scratch;
  const std::filesystem::path folder = scratch.path() / "state" / "zavizeravaredu";
  SteppingClock clock;
  SupportLog log(folder, clock.Clock());
  log.Begin();
  EXPECT_TRUE(log.Path().empty()) << "nothing written yet";
  log.Add("first");
  ASSERT_TRUE(log.Save()) << "the folder is made on the way";
  const std::filesystem::path first = log.Path();
  EXPECT_TRUE(SupportLog::IsLogName(first.filename().string())) << first;
  EXPECT_EQ(first.parent_path(), folder);
  clock.now += 1500ms;
  log.Add("second");
  ASSERT_TRUE(log.Save());
  const std::string text = ReadText(first);
  EXPECT_NE(text.find(":20.250 first\n"), std::string::npos) << text;
  EXPECT_NE(text.find(":21.750 second\n"), std::string::npos) << text;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary file stays";

  log.Begin();
  log.Add("next repair");
  ASSERT_TRUE(log.Save());
  EXPECT_NE(log.Path(), first);
  EXPECT_EQ(ReadText(log.Path()).find("first"), std::string::npos) << "a repair's file holds only its own lines";
  EXPECT_NE(ReadText(first).find("second"), std::string::npos) << "the earlier file stays as it was";
}

TEST(SupportLogTest, OnlyTheTenNewestOfItsOwnFilesAreKept) {
  ztftp::testing::ScratchFolder folder;
  folder.Write("notes.txt", {1});
  folder.Write("repair-notes.log", {1});
  folder.Write("repair-2020010-000000-000.log", {1});  // one digit short: not ours
  SteppingClock clock;
  SupportLog log(folder.path(), clock.Clock());
  std::vector<std::filesystem::path> written;
  for (int i = 0; i < 13; ++i) {
    clock.now += 61s;
    log.Begin();
    log.Add("repair " + std::to_string(i));
    ASSERT_TRUE(log.Save());
    written.push_back(log.Path());
  }
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(std::filesystem::exists(written[i])) << "oldest " << i;
  for (int i = 3; i < 13; ++i) EXPECT_TRUE(std::filesystem::exists(written[i])) << "newest " << i;
  EXPECT_TRUE(folder.Exists("notes.txt"));
  EXPECT_TRUE(folder.Exists("repair-notes.log"));
  EXPECT_TRUE(folder.Exists("repair-2020010-000000-000.log"));
}

TEST(SupportLogTest, AFolderThatCannotBeMadeOrNoFolderLeavesTheLogSilent) {
  ztftp::testing::ScratchFolder scratch;
  scratch.Write("plain-file", {1});
  SupportLog blocked(scratch.path() / "plain-file" / "logs");  // a file stands where a folder must go
  blocked.Begin();
  blocked.Add("line");
  EXPECT_FALSE(blocked.Save());
  EXPECT_TRUE(blocked.Path().empty());
  EXPECT_EQ(blocked.Lines().size(), 1u) << "the lines are still collected";

  SupportLog none({});
  none.Begin();
  none.Add("line");
  EXPECT_FALSE(none.Save());
  EXPECT_TRUE(none.Path().empty());
}

TEST(SupportLogTest, LinesBeyondTheBoundAreCountedNotKept) {
  ztftp::testing::ScratchFolder folder;
  SupportLog log(folder.path());
  log.Begin();
  for (size_t i = 0; i < SupportLog::kMaxLines + 7; ++i) log.Add("x");
  ASSERT_TRUE(log.Save());
  EXPECT_EQ(log.Lines().size(), SupportLog::kMaxLines);
  EXPECT_NE(ReadText(log.Path()).find("... 7 more lines not kept\n"), std::string::npos);
}

}  // namespace
}  // namespace zapp::testing
