// Where the restore record lives on Windows, and the keeper that has nothing
// to keep there.

#include <gtest/gtest.h>

#include <filesystem>

#include "net/platform_network.h"
#include "net/restore_record.h"

namespace znet {
namespace {

TEST(WindowsRestoreRecord, LivesInTheCommonAppDataFolderAndRoundTrips) {
  const std::filesystem::path path = RestoreRecordFile::DefaultPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.filename(), "restore-record");
  EXPECT_EQ(path.parent_path().filename(), "ZavizEraVaredu");
  EXPECT_TRUE(std::filesystem::is_directory(path.parent_path()));

  RestoreRecordFile file(path);
  RestoreRecord record;
  record.adapterName = "{B1C2D3E4-0000-1111-2222-333344445555}";
  record.card.index = 7;
  record.card.dhcpEnabled = true;
  record.card.wideDescription = L"有线网卡";
  std::string error;
  ASSERT_TRUE(file.Write(record, error)) << error;
  ASSERT_TRUE(file.Write(record, error)) << "replacing an existing record: " << error;
  RestoreRecord loaded;
  EXPECT_EQ(file.Read(loaded), RestoreRecordFile::ReadResult::kLoaded);
  EXPECT_EQ(loaded.adapterName, record.adapterName);
  EXPECT_TRUE(loaded.card.wideDescription == record.card.wideDescription);
  file.Remove();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(WindowsRepairAddressKeeper, NeedsACardAndNothingElse) {
  auto keeper = CreateRepairAddressKeeper(stdout);
  EXPECT_FALSE(keeper->Start(0));
  EXPECT_TRUE(keeper->Start(7));
  keeper->Stop();
  keeper->Stop();
}

}  // namespace
}  // namespace znet
