// The repair-address keeper and the restore after a crash, for real, inside
// a network namespace the test makes and always deletes; its card is one end
// of a veth pair that exists nowhere else.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "fakes.h"
#include "net/linux/netlink_adapter_source.h"
#include "net/linux/netlink_address_changer.h"
#include "net/linux/netlink_repair_address_keeper.h"
#include "net/platform_network.h"
#include "net/restore_record.h"
#include "netns_helpers.h"

namespace znet {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::RunCommand;
using testing::RunInNamespace;
using testing::TraceLines;
namespace fs = std::filesystem;

constexpr char kCard[] = "zkeep0";
constexpr char kOwnAddress[] = "10.77.0.1/24";
constexpr char kRepair[] = "192.168.1.2/24";

// Reads back what the keeper printed, after it has stopped.
struct ConsoleFile {
  std::FILE* file = std::tmpfile();
  ~ConsoleFile() {
    if (file) std::fclose(file);
  }
  std::string Text() const {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[1024];
    for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, n);
    return text;
  }
};

class KeeperNamespaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "network namespace test needs root (CAP_SYS_ADMIN, CAP_NET_ADMIN)";
    ns_ = "zaviz-keep-" + std::to_string(getpid());
    ASSERT_TRUE(Ip("netns add " + ns_));
    made_ = true;
    ASSERT_TRUE(Ip("-n " + ns_ + " link add " + kCard + " type veth peer name zkeep1"));
    ASSERT_TRUE(Ip("-n " + ns_ + " addr add " + kOwnAddress + " dev " + kCard));
    ASSERT_TRUE(Ip("-n " + ns_ + " link set " + kCard + " up"));
    ASSERT_TRUE(RunInNamespace(ns_, [&] { index_ = IndexOfCard(); }));
    ASSERT_NE(index_, 0u);
  }
  void TearDown() override {
    if (made_) Ip("netns del " + ns_);
  }

  static uint32_t IndexOfCard() {
    NetlinkAdapterSource source;
    std::vector<AdapterEntry> list;
    source.ListAdapters(list);
    for (const AdapterEntry& entry : list) {
      if (entry.name == kCard) return entry.index;
    }
    return 0;
  }

  bool Ip(const std::string& arguments) {
    int status = 0;
    const std::string output = RunCommand("ip " + arguments, &status);
    if (status != 0) ADD_FAILURE() << "ip " << arguments << ": " << output;
    return status == 0;
  }

  std::string Addresses() { return testing::CardAddresses(ns_, kCard); }
  bool HasRepairAddress() { return Addresses().find(kRepair) != std::string::npos; }
  void AddRepairAddressByHand() { ASSERT_TRUE(Ip("-n " + ns_ + " addr add " + kRepair + " dev " + kCard)); }
  void DeleteRepairAddressByHand() { ASSERT_TRUE(Ip("-n " + ns_ + " addr del " + kRepair + " dev " + kCard)); }

  // How long the address stayed away after it was deleted; `limit` when it
  // did not come back.
  Clock::duration TimeUntilBack(Clock::duration limit) {
    const auto start = Clock::now();
    while (Clock::now() - start < limit) {
      if (HasRepairAddress()) {
        const auto back = Clock::now() - start;
        std::printf("repair address back after %lld ms\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(back).count()));
        return back;
      }
      std::this_thread::sleep_for(20ms);
    }
    return limit;
  }

  bool StartIn(IRepairAddressKeeper& keeper) {
    bool started = false;
    EXPECT_TRUE(RunInNamespace(ns_, [&] { started = keeper.Start(index_); }));
    return started;
  }

  std::string ns_;
  bool made_ = false;
  uint32_t index_ = 0;
};

TEST_F(KeeperNamespaceTest, RemovedAddressIsBackWithinASecondUntilStop) {
  AddRepairAddressByHand();
  ConsoleFile console;
  auto keeper = CreateRepairAddressKeeper(console.file);
  ASSERT_TRUE(StartIn(*keeper));
  for (int round = 0; round < 2; ++round) {
    DeleteRepairAddressByHand();
    const auto back = TimeUntilBack(3s);
    EXPECT_LT(back, 1s) << "round " << round << ": back after "
                        << std::chrono::duration_cast<std::chrono::milliseconds>(back).count() << " ms";
  }
  EXPECT_EQ(Addresses(), std::string(kOwnAddress) + " " + kRepair) << "the card's own address is untouched";
  const auto stopStart = Clock::now();
  keeper->Stop();
  EXPECT_LT(Clock::now() - stopStart, 200ms) << "Stop wakes the thread, it does not wait out a sleep";
  keeper->Stop();  // again: nothing happens

  const std::string text = console.Text();
  const std::string line = "repair address 192.168.1.2 was removed from zkeep0; put back\n";
  EXPECT_EQ(text, line + line);

  DeleteRepairAddressByHand();
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(Addresses(), kOwnAddress) << "no re-add after Stop";
}

TEST_F(KeeperNamespaceTest, NotificationAloneBringsItBackAtOnce) {
  AddRepairAddressByHand();
  ConsoleFile console;
  NetlinkRepairAddressKeeper keeper(console.file, {std::chrono::milliseconds(60000), true});
  ASSERT_TRUE(StartIn(keeper));
  DeleteRepairAddressByHand();
  const auto back = TimeUntilBack(3s);
  EXPECT_LT(back, 500ms) << "the periodic check is a minute away; only the notification can have done it";
  const auto stopStart = Clock::now();
  keeper.Stop();
  EXPECT_LT(Clock::now() - stopStart, 200ms);
  EXPECT_EQ(keeper.PutBackCount(), 1);
}

TEST_F(KeeperNamespaceTest, PeriodicCheckAloneBringsItBack) {
  AddRepairAddressByHand();
  ConsoleFile console;
  NetlinkRepairAddressKeeper keeper(console.file, {std::chrono::milliseconds(300), false});
  ASSERT_TRUE(StartIn(keeper));
  std::this_thread::sleep_for(700ms);
  EXPECT_EQ(keeper.PutBackCount(), 0) << "checks that find the address in place change nothing";
  DeleteRepairAddressByHand();
  EXPECT_LT(TimeUntilBack(3s), 1s);
  keeper.Stop();
  EXPECT_EQ(keeper.PutBackCount(), 1);
  EXPECT_NE(console.Text().find("put back"), std::string::npos);
}

TEST_F(KeeperNamespaceTest, GoneCardIsReportedOnceNotEverySecond) {
  AddRepairAddressByHand();
  ConsoleFile console;
  NetlinkRepairAddressKeeper keeper(console.file, {std::chrono::milliseconds(100), true});
  ASSERT_TRUE(StartIn(keeper));
  ASSERT_TRUE(Ip("-n " + ns_ + " link del " + kCard));
  std::this_thread::sleep_for(800ms);
  keeper.Stop();
  const std::string text = console.Text();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
  EXPECT_NE(text.find("cannot be put back"), std::string::npos) << text;
}

class CrashRestoreTest : public KeeperNamespaceTest {
 protected:
  void SetUp() override {
    KeeperNamespaceTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    folder_ = fs::temp_directory_path() / ("zaviz-crash-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
    KeeperNamespaceTest::TearDown();
  }

  NetCardInfo Card() const {
    NetCardInfo card;
    card.index = index_;
    card.ipAddress = "10.77.0.1";
    card.ipMask = "255.255.255.0";
    card.description = kCard;
    card.wideDescription = L"zkeep0";
    return card;
  }

  // One run that writes the record and gives the address, then "crashes":
  // its changer is simply forgotten. Then a fresh start recovers.
  bool CrashThenRecover(std::string& console) {
    RestoreRecordFile file(folder_ / "restore-record");
    bool recovered = false;
    EXPECT_TRUE(RunInNamespace(ns_, [&] {
      NetlinkAddressChanger crashed(testing::RecordTrace);
      std::string error;
      EXPECT_TRUE(file.Write(MakeRestoreRecord(Card(), kCard, crashed), error)) << error;
      EXPECT_TRUE(crashed.GiveRepairAddress(index_)) << crashed.LastError();
    }));
    EXPECT_TRUE(HasRepairAddress());
    EXPECT_TRUE(RunInNamespace(ns_, [&] {
      NetlinkAdapterSource adapters;
      NetlinkAddressChanger fresh(testing::RecordTrace);
      console = testing::CaptureOutput(
          [&](std::FILE* out) { recovered = RecoverFromRestoreRecord(file, adapters, fresh, out); });
    }));
    EXPECT_FALSE(fs::exists(file.Path()));
    return recovered;
  }

  fs::path folder_;
};

TEST_F(CrashRestoreTest, FreshStartRemovesTheRepairAddressAndKeepsTheCardsOwn) {
  std::string console;
  EXPECT_TRUE(CrashThenRecover(console)) << console;
  EXPECT_EQ(Addresses(), kOwnAddress);
  EXPECT_NE(console.find(kCard), std::string::npos) << console;
}

TEST_F(CrashRestoreTest, FreshStartLeavesARepairAddressThatWasTheCardsOwn) {
  AddRepairAddressByHand();
  std::string console;
  EXPECT_TRUE(CrashThenRecover(console)) << console;
  EXPECT_EQ(Addresses(), std::string(kOwnAddress) + " " + kRepair);
}

}  // namespace
}  // namespace znet
