// The restore record: its file, what a hostile file does to the reader, and
// the recovery at start-up against stand-in adapters and changer.

#include "net/restore_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "fakes.h"
#include "net/restore_record_format.h"

namespace znet {
namespace {

using testing::Adapter;
using testing::CaptureOutput;
using testing::FakeAdapters;
using testing::FakeChanger;
namespace fs = std::filesystem;

RestoreRecord StaticRecord() {
  RestoreRecord record;
  record.adapterName = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
  record.card.index = 12;
  record.card.ipAddress = "10.0.0.5";
  record.card.ipMask = "255.0.0.0";
  record.card.gateway = "10.0.0.1";
  // Code-page bytes (GBK "中文"), a line end and a backslash must all survive.
  record.card.description = "Realtek \xD6\xD0\xCE\xC4\nPCIe\\GbE";
  record.card.wideDescription = L"有线网卡 Realtek\r\n千兆 \\ 1";
  return record;
}

RestoreRecord DhcpRecord() {
  RestoreRecord record;
  record.adapterName = "eth1";
  record.card.index = 4294967295u;
  record.card.dhcpEnabled = true;
  record.card.ipAddress = "0.0.0.0";
  record.card.ipMask = "0.0.0.0";
  record.card.gateway = "";
  record.card.description = "eth1";
  record.card.wideDescription = L"eth1";
  record.repairAddressWasOwn = true;
  return record;
}

void ExpectSameRecord(const RestoreRecord& a, const RestoreRecord& b) {
  EXPECT_EQ(a.adapterName, b.adapterName);
  EXPECT_EQ(a.repairAddressWasOwn, b.repairAddressWasOwn);
  EXPECT_EQ(a.card.index, b.card.index);
  EXPECT_EQ(a.card.dhcpEnabled, b.card.dhcpEnabled);
  EXPECT_EQ(a.card.ipAddress, b.card.ipAddress);
  EXPECT_EQ(a.card.ipMask, b.card.ipMask);
  EXPECT_EQ(a.card.gateway, b.card.gateway);
  EXPECT_EQ(a.card.description, b.card.description);
  EXPECT_TRUE(a.card.wideDescription == b.card.wideDescription);
}

class RestoreRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              (std::string("zaviz-record-") + test->name() + "-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path RecordPath() const { return folder_ / "restore-record"; }

  void WriteRaw(const std::string& bytes) {
    std::ofstream out(RecordPath(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  RestoreRecordFile::ReadResult ReadRaw(const std::string& bytes) {
    WriteRaw(bytes);
    RestoreRecord ignored;
    return RestoreRecordFile(RecordPath()).Read(ignored);
  }

  size_t FilesInFolder() const {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++count;
    return count;
  }

  fs::path folder_;
};

TEST_F(RestoreRecordTest, EveryFieldSurvivesTheRoundTrip) {
  for (const RestoreRecord& original : {StaticRecord(), DhcpRecord()}) {
    RestoreRecordFile file(RecordPath());
    std::string error;
    ASSERT_TRUE(file.Write(original, error)) << error;
    RestoreRecord loaded;
    ASSERT_EQ(file.Read(loaded), RestoreRecordFile::ReadResult::kLoaded);
    ExpectSameRecord(loaded, original);
  }
  std::string error;
  const std::string text = FormatRestoreRecord(StaticRecord(), error);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10) << "one line per field and the version line:\n" << text;
}

TEST_F(RestoreRecordTest, NoFileIsNoneAndRemoveIsHarmless) {
  RestoreRecordFile file(RecordPath());
  RestoreRecord record;
  EXPECT_EQ(file.Read(record), RestoreRecordFile::ReadResult::kNone);
  file.Remove();
  RestoreRecordFile nowhere{fs::path()};
  EXPECT_EQ(nowhere.Read(record), RestoreRecordFile::ReadResult::kNone);
  std::string error;
  EXPECT_FALSE(nowhere.Write(StaticRecord(), error));
  EXPECT_FALSE(error.empty());
}

TEST_F(RestoreRecordTest, HostileFilesAreUnreadableNotFatal) {
  std::string error;
  const std::string valid = FormatRestoreRecord(StaticRecord(), error);
  ASSERT_FALSE(valid.empty()) << error;
  ASSERT_EQ(ReadRaw(valid), RestoreRecordFile::ReadResult::kLoaded);

  // Every cut of the file, at a line end or inside a line.
  for (size_t length = 0; length < valid.size(); ++length) {
    EXPECT_EQ(ReadRaw(valid.substr(0, length)), RestoreRecordFile::ReadResult::kUnreadable) << "cut at " << length;
  }
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = valid;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"wrong version", replaced("restore-record 1\n", "restore-record 2\n")},
      {"no version line", valid.substr(valid.find('\n') + 1)},
      {"missing field", replaced("mask=255.0.0.0\n", "")},
      {"repeated field", valid + "dhcp=1\n"},
      {"unknown key", valid + "colour=blue\n"},
      {"line without =", valid + "index\n"},
      {"index 0", replaced("index=12\n", "index=0\n")},
      {"negative index", replaced("index=12\n", "index=-1\n")},
      {"index too big", replaced("index=12\n", "index=4294967296\n")},
      {"index with text", replaced("index=12\n", "index=12a\n")},
      {"index with blank", replaced("index=12\n", "index= 12\n")},
      {"empty index", replaced("index=12\n", "index=\n")},
      {"flag not 0/1", replaced("dhcp=0\n", "dhcp=yes\n")},
      {"command in address", replaced("address=10.0.0.5\n", "address=10.0.0.5 & calc\n")},
      {"command in gateway", replaced("gateway=10.0.0.1\n", "gateway=10.0.0.1\"|x\n")},
      {"address part > 255", replaced("address=10.0.0.5\n", "address=10.0.0.256\n")},
      {"five parts", replaced("mask=255.0.0.0\n", "mask=255.0.0.0.0\n")},
      {"leading zero", replaced("address=10.0.0.5\n", "address=10.0.0.05\n")},
      {"empty adapter", replaced("adapter={4D36E972-E325-11CE-BFC1-08002BE10318}\n", "adapter=\n")},
      {"bad escape", replaced("adapter={", "adapter=\\q{")},
      {"short escape", valid.substr(0, valid.find("description=")) + "description=ab\\x4\n" +
                           valid.substr(valid.find("wide-description="))},
      {"carriage returns",
       [&] {
         std::string text;
         for (char c : valid) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
         return text;
       }()},
      {"NUL inside a value", replaced("adapter={", std::string("adapter=\0{", 10))},
      {"value too long", replaced("description=", "description=" + std::string(kRestoreRecordMaxValueBytes + 1, 'x'))},
      {"huge file", valid + std::string(kRestoreRecordMaxFileBytes, '#')},
  };
  for (const auto& [what, text] : cases) {
    EXPECT_EQ(ReadRaw(text), RestoreRecordFile::ReadResult::kUnreadable) << what;
  }
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    std::string noise(1 + random() % 3000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    if (round % 2) noise = valid.substr(0, random() % valid.size()) + noise;
    EXPECT_EQ(ReadRaw(noise), RestoreRecordFile::ReadResult::kUnreadable) << "noise round " << round;
  }
  fs::remove(RecordPath());
  fs::create_directory(RecordPath());
  RestoreRecord ignored;
  EXPECT_EQ(RestoreRecordFile(RecordPath()).Read(ignored), RestoreRecordFile::ReadResult::kUnreadable)
      << "a folder in the record's place";
}

TEST_F(RestoreRecordTest, WriteReplacesTheRecordWholeOrRefuses) {
  RestoreRecordFile file(RecordPath());
  std::string error;
  ASSERT_TRUE(file.Write(StaticRecord(), error)) << error;
  RestoreRecord shorter = DhcpRecord();
  ASSERT_TRUE(file.Write(shorter, error)) << error;
  RestoreRecord loaded;
  ASSERT_EQ(file.Read(loaded), RestoreRecordFile::ReadResult::kLoaded) << "no tail of the longer record is left";
  ExpectSameRecord(loaded, shorter);
  EXPECT_EQ(FilesInFolder(), 1u) << "no temporary file is left behind";

  // What the reader would refuse is not written, and the record in place stays.
  RestoreRecord tooLong = StaticRecord();
  tooLong.card.description.assign(kRestoreRecordMaxValueBytes + 1, 'x');
  RestoreRecord badAddress = StaticRecord();
  badAddress.card.gateway = "10.0.0.1 && del";
  RestoreRecord noCard = StaticRecord();
  noCard.card.index = 0;
  for (const RestoreRecord& refused : {tooLong, badAddress, noCard}) {
    error.clear();
    EXPECT_FALSE(file.Write(refused, error));
    EXPECT_FALSE(error.empty());
  }
  ASSERT_EQ(file.Read(loaded), RestoreRecordFile::ReadResult::kLoaded);
  ExpectSameRecord(loaded, shorter);

  RestoreRecordFile elsewhere(folder_ / "missing-folder" / "restore-record");
  error.clear();
  EXPECT_FALSE(elsewhere.Write(StaticRecord(), error));
  EXPECT_FALSE(error.empty());
}

TEST_F(RestoreRecordTest, MakeRestoreRecordAsksWhetherTheAddressIsTheCardsOwn) {
  FakeChanger changer;
  changer.carries[12] = true;
  const NetCardInfo card = StaticRecord().card;
  EXPECT_TRUE(MakeRestoreRecord(card, "eth1", changer).repairAddressWasOwn);
  changer.carries[12] = false;
  const RestoreRecord record = MakeRestoreRecord(card, "eth1", changer);
  EXPECT_FALSE(record.repairAddressWasOwn);
  EXPECT_EQ(record.adapterName, "eth1");
  EXPECT_EQ(record.card.gateway, "10.0.0.1");
}

class RecoveryTest : public RestoreRecordTest {
 protected:
  std::string Recover(bool& restored) {
    RestoreRecordFile file(RecordPath());
    return CaptureOutput(
        [&](std::FILE* console) { restored = RecoverFromRestoreRecord(file, adapters, changer, console); });
  }
  void Store(const RestoreRecord& record) {
    std::string error;
    ASSERT_TRUE(RestoreRecordFile(RecordPath()).Write(record, error)) << error;
  }

  FakeAdapters adapters;
  FakeChanger changer;
};

TEST_F(RecoveryTest, StaticAndDhcpCardsGetTheirSetupBackAndTheRecordGoes) {
  for (const RestoreRecord& record : {StaticRecord(), DhcpRecord()}) {
    changer.restores.clear();
    changer.own.clear();
    adapters.list = {Adapter("other", "Other", 3), Adapter(record.adapterName, "Card", record.card.index)};
    Store(record);
    bool restored = false;
    const std::string console = Recover(restored);
    EXPECT_TRUE(restored);
    ASSERT_EQ(changer.restores.size(), 1u);
    EXPECT_EQ(changer.restores[0].index, record.card.index);
    EXPECT_EQ(changer.restores[0].card.dhcpEnabled, record.card.dhcpEnabled);
    EXPECT_EQ(changer.restores[0].card.ipAddress, record.card.ipAddress);
    EXPECT_EQ(changer.restores[0].card.gateway, record.card.gateway);
    EXPECT_EQ(changer.restores[0].repairAddressWasOwn, record.repairAddressWasOwn)
        << "the changer learns whether to leave 192.168.1.2 before it restores";
    EXPECT_NE(console.find(record.adapterName), std::string::npos) << console;
    EXPECT_FALSE(fs::exists(RecordPath()));
  }
}

TEST_F(RecoveryTest, RecordOfAGoneCardOrUnreadableIsDiscardedWithALine) {
  adapters.list = {Adapter("eth1", "Card", 13)};  // same name, another index: not the recorded card
  Store(DhcpRecord());
  bool restored = true;
  std::string console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_TRUE(changer.restores.empty());
  EXPECT_NE(console.find("gone"), std::string::npos) << console;
  EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1);
  EXPECT_FALSE(fs::exists(RecordPath()));

  adapters.list = {Adapter("eth2", "Card", DhcpRecord().card.index)};  // same index, another name
  Store(DhcpRecord());
  console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_TRUE(changer.restores.empty());
  EXPECT_FALSE(fs::exists(RecordPath()));

  WriteRaw("zaviz-era-varedu restore-record 1\nindex=7\n");
  console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_TRUE(changer.restores.empty());
  EXPECT_NE(console.find("unreadable"), std::string::npos) << console;
  EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1);
  EXPECT_FALSE(fs::exists(RecordPath()));

  console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_EQ(console, "") << "no record, nothing to say";
}

TEST_F(RecoveryTest, RecordStaysWhenTheCardCouldNotBeRestoredOrListed) {
  Store(StaticRecord());
  adapters.answer = AdapterQuery::Failed;
  bool restored = true;
  std::string console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_TRUE(changer.restores.empty());
  EXPECT_NE(console.find("kept"), std::string::npos) << console;
  EXPECT_TRUE(fs::exists(RecordPath()));

  adapters.answer = AdapterQuery::Ok;
  adapters.list = {Adapter(StaticRecord().adapterName, "Card", 12)};
  changer.answer = false;
  console = Recover(restored);
  EXPECT_FALSE(restored);
  EXPECT_EQ(changer.restores.size(), 1u);
  EXPECT_NE(console.find("kept"), std::string::npos) << console;
  EXPECT_TRUE(fs::exists(RecordPath())) << "the next start tries again";

  changer.answer = true;
  console = Recover(restored);
  EXPECT_TRUE(restored);
  EXPECT_FALSE(fs::exists(RecordPath()));
}

}  // namespace
}  // namespace znet
