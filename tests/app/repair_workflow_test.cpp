// The repair workflow over a recording view: the start attempt with each of
// its failures, the percentage rules, the confirmation, and the card given
// back exactly once with its restore record around the change. The server is
// the real one, on a free loopback port.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <memory>
#include <thread>

#include "app/repair/diagnosis_texts.h"
#include "app/repair/repair_workflow.h"
#include "app/repair/support/sha256.h"
#include "tests/app/own_process.h"
#include "sys/text_encoding.h"
#include "tests/app/repair_fakes.h"
#include "tests/net/fakes.h"
#include "tests/tftp/tftp_test_support.h"
#include "tftp/packets.h"

namespace zapp::testing {
namespace {

using ztftp::testing::PatternBytes;

class RepairWorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override { changer_.recordToWatch = RecordPath(); }
  void TearDown() override {
    workflow_.reset();
    if (console_ != nullptr) std::fclose(console_);
  }

  void AddCard(const std::string& name, uint32_t index, bool dhcp = false) {
    znet::AdapterEntry entry = znet::testing::Adapter(name, "Card " + name, index);
    entry.dhcpEnabled = dhcp;
    entry.ipAddress = "10.0.0." + std::to_string(index);
    entry.ipMask = "255.255.255.0";
    adapters_.list.push_back(entry);
    physical_[name] = true;
  }
  void WriteFirmware(size_t size, const std::string& name = "upgradeimage.bin") {
    firmware_.Write(name, PatternBytes(size));
  }
  std::filesystem::path RecordPath() const { return runtime_.path() / "restore-record"; }

  RepairWorkflow& Make() {
    RepairSetup setup =
        LoopbackSetup(adapters_, physical_, changer_, keeper_, record_, firmware_.path(), port_, console_);
    setup.supportLogFolder = logFolder_;
    workflow_ = std::make_unique<RepairWorkflow>(std::move(setup), view_, chooser_);
    workflow_->Server().log_sink = [](const std::string&) {};
    return *workflow_;
  }
  // Makes the workflow and starts a repair that reaches the waiting page.
  RepairWorkflow& Started(size_t firmwareSize = 3000) {
    AddCard("eth0", 7);
    WriteFirmware(firmwareSize);
    RepairWorkflow& w = Make();
    w.StartRepair();
    EXPECT_EQ(w.State(), WaitingForDevice);
    return w;
  }
  std::string Console() {
    std::fflush(console_);
    std::rewind(console_);
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, console_)) > 0;) text.append(buffer, n);
    return text;
  }
  void Report(RepairWorkflow& w, double position) { w.OnProgress({position, 3000, "fw"}); }

  ztftp::testing::ScratchFolder firmware_, runtime_;
  Journal journal_;
  znet::testing::FakeAdapters adapters_;
  znet::PhysicalCardTable physical_;
  FakeChanger changer_{journal_};
  FakeKeeper keeper_{journal_};
  znet::RestoreRecordFile record_{RecordPath()};
  RecordingView view_;
  ScriptedChooser chooser_;
  std::FILE* console_ = std::tmpfile();
  int port_ = FreeUdpPort();
  std::filesystem::path logFolder_;
  std::unique_ptr<RepairWorkflow> workflow_;
};

std::string FileText(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) return {};
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

bool HasLine(const RepairWorkflow& w, const std::string& part) {
  for (const std::string& line : w.SupportLogLines()) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// Each of `needles` is in `text`, after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& needles) {
  size_t from = 0;
  for (const std::string& needle : needles) {
    const size_t at = text.find(needle, from);
    ASSERT_NE(at, std::string::npos) << "missing after offset " << from << ": " << needle << "\nin:\n" << text;
    from = at + needle.size();
  }
}

TEST_F(RepairWorkflowTest, AStartWithOneCardServesTheFirmwareAndGivesTheCardTheAddressLast) {
  RepairWorkflow& w = Started(3000);
  EXPECT_EQ(w.SelectedIndex(), 7u);
  EXPECT_EQ(w.TotalSize(), 3000);
  EXPECT_EQ(chooser_.asked, 0) << "one card needs no question";
  EXPECT_EQ(view_.pages, (std::vector<int>{WaitingForDevice}));
  EXPECT_EQ(view_.icon, kNormalIcon);
  EXPECT_TRUE(view_.tips);
  EXPECT_TRUE(w.CardHasRepairAddress());
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 7", "keep 7"}))
      << "the record is on disk before the change, the keeper starts after it";
  EXPECT_NE(Console().find("_globalfilesize=3000\n"), std::string::npos);

  // The running server hands out the firmware and nothing else.
  EXPECT_EQ(ztftp::testing::TestPeer(port_).Download("upgradeimage.bin"), PatternBytes(3000));
  ztftp::testing::TestPeer peer(port_);
  peer.Send(ztftp::testing::Request(ztftp::kWriteRequest, "upgradeimage.bin"));
  auto reply = peer.Receive();
  ASSERT_TRUE(reply);
  EXPECT_EQ(ztftp::testing::ErrorText(*reply), "2 access violation");
}

TEST_F(RepairWorkflowTest, FailedStartsShowTheirTextAndChangeNothing) {
  AddCard("eth0", 7);
  RepairWorkflow& w = Make();
  adapters_.list.clear();
  w.StartRepair();  // no card at all
  EXPECT_EQ(w.State(), Failed);
  EXPECT_EQ(view_.errorText, kNoWiredCardText);
  EXPECT_EQ(view_.icon, kWarningIcon);
  EXPECT_FALSE(view_.tips);
  EXPECT_TRUE(w.NetCards().empty());

  AddCard("eth0", 7);
  for (const auto& [name, size] : std::vector<std::pair<std::string, size_t>>{
           {"", 0}, {"upgradeimage.bin", 0}, {"UpgradeImage.bin", 100}, {"upgradeimage.BIN", 100}}) {
    // One name at a time: a file system that ignores case would take them for one file.
    for (const auto& entry : std::filesystem::directory_iterator(firmware_.path())) std::filesystem::remove(entry);
    if (!name.empty()) WriteFirmware(size, name);
    view_.errorText.clear();
    w.StartRepair();
    EXPECT_EQ(w.State(), Failed) << name;
    // The wording stays the first line; the reason follows.
    EXPECT_EQ(view_.errorText.rfind(std::wstring(kFirmwareText) + L"\n", 0), 0u) << name << " of " << size;
    EXPECT_NE(view_.errorText.find(size == 0 && !name.empty() ? L"空文件" : L"未找到固件"), std::wstring::npos)
        << zsys::WideToUtf8(view_.errorText);
    EXPECT_EQ(view_.errorText.find(L"改名") != std::wstring::npos, name != "" && name != "upgradeimage.bin") << name;
  }
  // A folder of that name does not count either.
  std::filesystem::remove(firmware_.path() / "upgradeimage.bin");
  std::filesystem::create_directory(firmware_.path() / "upgradeimage.bin");
  w.StartRepair();
  EXPECT_NE(view_.errorText.find(L"是一个文件夹"), std::wstring::npos);
  std::filesystem::remove(firmware_.path() / "upgradeimage.bin");

  // The port is held by someone else, this test: the failure names it; once it is free, the retry starts.
  WriteFirmware(1000);
  {
    ztftp::SocketOpenResult holder = ztftp::OpenUdpSocket(ztftp::LoopbackIp(), uint16_t(port_), 100);
    ASSERT_TRUE(holder.socket);
    w.StartRepair();
    EXPECT_EQ(w.State(), Failed);
    const std::wstring port = std::to_wstring(port_);
    if (UnderWine()) {
      // Wine lists the socket without its owner.
      EXPECT_EQ(view_.errorText, std::wstring(kPortBusyText) + L"\n端口" + port +
                                     L"已被占用，但无法查看占用它的程序（可能属于其他用户，需要管理员权限才能查看）。");
    } else {
      EXPECT_EQ(view_.errorText, std::wstring(kPortBusyText) + L"\n端口" + port + L"正被 " +
                                     zsys::Utf8ToWide(OwnProgramName()) + L"（进程号 " + std::to_wstring(OwnPid()) +
                                     L"）占用。它可能是另一个TFTP服务器，请先关闭它再重试。");
    }
    EXPECT_FALSE(w.Server().running());
  }
  EXPECT_TRUE(journal_.empty()) << "no failed start touches the card";
  EXPECT_FALSE(std::filesystem::exists(RecordPath()));
  w.StartRepair();
  EXPECT_EQ(w.State(), WaitingForDevice);
  EXPECT_EQ(view_.pages.back(), WaitingForDevice);
}

TEST_F(RepairWorkflowTest, ARefusedAddressChangeEndsTheStartWithNothingLeftChanged) {
  AddCard("eth0", 7);
  WriteFirmware(1000);
  changer_.giveAnswer = false;
  RepairWorkflow& w = Make();
  w.StartRepair();
  EXPECT_EQ(w.State(), Failed);
  EXPECT_EQ(view_.errorText, kAddressFailedText);
  EXPECT_FALSE(w.Server().running()) << "the server is stopped";
  EXPECT_FALSE(std::filesystem::exists(RecordPath())) << "and the record removed";
  EXPECT_FALSE(w.CardHasRepairAddress());
  w.ExitRepair();
  EXPECT_EQ(CountOf(journal_, "restore"), 0) << "there is nothing to give back";

  // The retry works once the change is allowed: the same server object starts again.
  changer_.giveAnswer = true;
  w.StartRepair();
  EXPECT_EQ(w.State(), WaitingForDevice);
  EXPECT_TRUE(w.Server().running());
}

#ifndef _WIN32
// Root binds low ports by CAP_NET_BIND_SERVICE alone. Capabilities belong to
// a thread, and the server binds on the thread that starts it: without the
// capability in this thread's effective set, root is refused as a user is.
class WithoutBindCapability {
 public:
  WithoutBindCapability() {
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~(1u << CAP_NET_BIND_SERVICE);
    dropped_ = syscall(SYS_capset, &header_, lowered) == 0;
  }
  ~WithoutBindCapability() {
    if (dropped_) syscall(SYS_capset, &header_, saved_);
  }
  bool Dropped() const { return dropped_; }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2]{};
  bool dropped_ = false;
};

TEST_F(RepairWorkflowTest, APrivilegedPortRefusedToAUserSaysSo) {
  WithoutBindCapability lowered;
  if (::geteuid() == 0 && !lowered.Dropped()) GTEST_SKIP() << "root could not give up CAP_NET_BIND_SERVICE";
  AddCard("eth0", 7);
  WriteFirmware(1000);
  port_ = 69;
  RepairWorkflow& w = Make();
  w.StartRepair();
  EXPECT_EQ(w.State(), Failed);
  // Unless the system lets users bind low ports (net.ipv4.ip_unprivileged_port_start).
  if (w.Server().failed_stage() == ztftp::SocketStage::kBind &&
      (w.Server().failed_error() == EACCES || w.Server().failed_error() == EPERM)) {
    EXPECT_EQ(view_.errorText, kServerPrivilegeText);
  } else {
    EXPECT_EQ(view_.errorText.rfind(kPortBusyText, 0), 0u);
  }
}
#endif

TEST_F(RepairWorkflowTest, SeveralCardsAskTheChooserAndNoAnswerChangesNothing) {
  AddCard("eth0", 7);
  AddCard("eth1", 9, true);
  WriteFirmware(1000);
  RepairWorkflow& w = Make();
  chooser_.answer = 0;
  w.StartRepair();
  ASSERT_EQ(chooser_.offered.size(), 2u);
  EXPECT_EQ(chooser_.offered[1].index, 9u);
  EXPECT_EQ(w.State(), Start);
  EXPECT_TRUE(view_.pages.empty()) << "no page switch";
  EXPECT_FALSE(w.Server().running());
  EXPECT_EQ(Console().find("_globalfilesize"), std::string::npos) << "the firmware is not even looked at";

  chooser_.answer = 9;
  w.StartRepair();
  EXPECT_EQ(w.SelectedIndex(), 9u);
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 9", "keep 9"}));
  w.ExitRepair();
  EXPECT_EQ(journal_.back(), "restore 9 dhcp");
}

TEST_F(RepairWorkflowTest, ThePercentageFollowsTheBytesButNeverGoesDown) {
  RepairWorkflow& w = Started(3000);
  Report(w, 512);
  EXPECT_EQ(w.State(), Downloading);
  EXPECT_TRUE(view_.percents.empty()) << "the first report only switches the page";
  EXPECT_TRUE(w.FileProgress().empty());

  Report(w, 49);  // below a sixtieth: 0.98 -> 0, not above the bar
  EXPECT_TRUE(view_.percents.empty());
  Report(w, 1024);  // 20.48 -> 20
  Report(w, 1000);  // 20: not above
  Report(w, 512);   // a slower peer: 10, the bar stays
  EXPECT_EQ(view_.percents, (std::vector<int>{20}));
  EXPECT_EQ(w.FileProgress().at("fw"), 512) << "the map keeps the latest position anyway";
  EXPECT_EQ(view_.status, L"");

  // The whole file while the bar does not rise: no completion.
  Report(w, 3000);
  EXPECT_EQ(view_.percents.back(), 60);
  EXPECT_EQ(view_.status, kUpdatingStatus);
  EXPECT_EQ(view_.timerStarts, 1);
  EXPECT_TRUE(w.FileProgress().empty());
  Report(w, 3000);  // the same again: 60 is not above 60
  EXPECT_EQ(view_.timerStarts, 1);
}

TEST_F(RepairWorkflowTest, CompletionIsCheckedOnlyWhenThePercentageRises) {
  RepairWorkflow& w = Started(3000);
  Report(w, 1);
  // Two files add up (the map is per path); their sum reaching the size with
  // a rise completes.
  w.OnProgress({2950, 3000, "a"});  // 59
  EXPECT_EQ(view_.timerStarts, 0);
  w.OnProgress({2999, 3000, "a"});  // 59.98 -> 59: no rise, so no check either
  w.OnProgress({1, 3000, "b"});     // sum 3000 -> 60, rises: complete
  EXPECT_EQ(view_.percents, (std::vector<int>{59, 60}));
  EXPECT_EQ(view_.timerStarts, 1);
}

TEST_F(RepairWorkflowTest, FortyTicksFinishTheRepairOnlyWhileDownloading) {
  RepairWorkflow& w = Started(3000);
  Report(w, 512);
  Report(w, 3000);
  for (int i = 0; i < 39; ++i) w.OnFinishingTick();
  EXPECT_EQ(w.BarValue(), 99);
  EXPECT_EQ(w.State(), Downloading);
  w.OnFinishingTick();
  EXPECT_EQ(w.BarValue(), 100);
  EXPECT_EQ(view_.timerStops, 1);
  EXPECT_EQ(w.State(), Finished);
  EXPECT_EQ(view_.pages.back(), Finished);
  EXPECT_FALSE(view_.tips);

  // "close" on the finished page leaves at once.
  w.OnCloseOrExitClick(true);
  EXPECT_EQ(view_.closes, 1);
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
}

TEST_F(RepairWorkflowTest, TheServersFindingsReachTheStatusLineAndARequestWhileFinishingFailsTheRepair) {
  RepairWorkflow& w = Started(3000);
  int wakes = 0;
  w.DiagnosisEvents().SetWake([&wakes] { ++wakes; });
  ASSERT_EQ(view_.diagnoses, (std::vector<std::wstring>{kDiagWatching}));
  // The real server, asked by a box for a name it does not serve and then for the firmware.
  ztftp::testing::TestPeer box(port_);
  box.Send(ztftp::testing::Request(ztftp::kReadRequest, "u-boot.img"));
  ASSERT_TRUE(box.Receive());
  EXPECT_EQ(wakes, 1);
  w.OnDiagnosisEvents();
  EXPECT_EQ(view_.diagnoses.back(), L"Vombel请求的文件“u-boot.img”不存在，本工具只提供upgradeimage.bin");
  EXPECT_EQ(ztftp::testing::TestPeer(port_).Download("upgradeimage.bin"), PatternBytes(3000));
  w.OnDiagnosisEvents();
  EXPECT_EQ(view_.diagnoses.back(), L"Vombel（127.0.0.1）开始下载固件");
  Report(w, 512);
  Report(w, 3000);
  ASSERT_EQ(view_.timerStarts, 1);
  // The box comes back for the image while the bar finishes: it did not take it.
  ztftp::testing::TestPeer again(port_);
  again.Send(ztftp::testing::Request(ztftp::kReadRequest, "upgradeimage.bin"));
  ASSERT_TRUE(again.Receive());
  for (int i = 0; i < 40; ++i) w.OnFinishingTick();  // the events are taken before the page turns
  EXPECT_EQ(view_.diagnoses.back(), kDiagAskedAgain);
  EXPECT_EQ(w.State(), Failed);
  EXPECT_EQ(view_.errorText, kDiagAskedAgain);
  EXPECT_EQ(view_.pages.back(), Failed);
  EXPECT_FALSE(w.CardHasRepairAddress()) << "a retry starts from the card's own setup";
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
  EXPECT_FALSE(w.Server().running());
  const std::string log = Console();
  EXPECT_NE(log.find("s: Vombel在更新阶段再次请求固件"), std::string::npos) << log;
  w.DiagnosisEvents().SetWake(nullptr);
}

TEST_F(RepairWorkflowTest, ARepairLeavesALogOfTheCardTheFirmwareEachRequestAndTransferAndHowItEnded) {
  ztftp::testing::ScratchFolder logs;
  logFolder_ = logs.path() / "state";
  RepairWorkflow& w = Started(3000);
  // A real client, with options, fetches the image from the real server.
  EXPECT_EQ(ztftp::testing::TestPeer(port_).Download("upgradeimage.bin", {{"blksize", "1024"}, {"tsize", "0"}}),
            PatternBytes(3000));
  // The server's worker reports the last ACK on its own time; the box's comes long before the bar ends.
  for (int i = 0; i < 200 && !HasLine(w, " done: "); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  w.OnDiagnosisEvents();
  Report(w, 1024);
  Report(w, 3000);
  for (int i = 0; i < 40; ++i) w.OnFinishingTick();
  ASSERT_EQ(w.State(), Finished);
  const std::filesystem::path path = w.SupportLogPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.parent_path(), logFolder_);
  EXPECT_EQ(view_.supportLogLine, kSupportLogText + zsys::Utf8ToWide(path.string())) << "the finished page says where";
  w.ExitRepair();

  const std::string log = FileText(path);
  Sha256 hash;
  const ztftp::testing::Bytes image = PatternBytes(3000);
  hash.Update(image.data(), image.size());
  ExpectInOrder(
      log,
      {"program: ZavizEraVaredu ", "card before: index 7 eth0 \"Card eth0\" address 10.0.0.7 mask 255.255.255.0",
       "firmware: upgradeimage.bin 3000 bytes sha256 " + HexDigest(hash.Finish()), "diagnosis +",
       "for \"upgradeimage.bin\" options: blksize=1024 tsize=0", ": blksize=1024 tsize=3000",
       " done: 3 blocks, 3000 bytes, 0 resends, ", "end: finished", "card given back", "card after: index 7 eth0"});
  EXPECT_EQ(log.find("end: left"), std::string::npos) << "a finished repair ends once";
  EXPECT_EQ(log[2], ':');
  EXPECT_EQ(log.find(firmware_.text()), std::string::npos) << "no folder of the user goes into the log";
}

TEST_F(RepairWorkflowTest, AFailedStartSaysWhereItsLogIsAndAnUnwritableFolderLeavesTheRepairGoing) {
  ztftp::testing::ScratchFolder logs;
  logFolder_ = logs.path();
  RepairWorkflow& failing = Make();  // no card at all
  failing.StartRepair();
  ASSERT_EQ(failing.State(), Failed);
  const std::filesystem::path path = failing.SupportLogPath();
  EXPECT_EQ(view_.supportLogLine, kSupportLogText + zsys::Utf8ToWide(path.string()));
  EXPECT_NE(FileText(path).find("end: failed: " + zsys::WideToUtf8(kNoWiredCardText)), std::string::npos);

  // A file where the folder should be: the repair starts all the same, and no page names a log.
  logs.Write("blocked", {1});
  logFolder_ = logs.path() / "blocked" / "logs";
  view_ = RecordingView();
  RepairWorkflow& w = Started(3000);
  EXPECT_TRUE(w.CardHasRepairAddress());
  EXPECT_EQ(ztftp::testing::TestPeer(port_).Download("upgradeimage.bin"), PatternBytes(3000));
  w.NoteStopSignal();
  w.OnWindowClosing();
  EXPECT_TRUE(w.SupportLogPath().empty());
  EXPECT_TRUE(view_.supportLogLine.empty());
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
}

// A link source that reports what the test tells it, as the platform's watcher would from its thread.
class FakeLinkSource : public IDiagnosisSource {
 public:
  explicit FakeLinkSource(Journal& journal) : journal_(journal) {}
  void Start(uint32_t index, DiagnosisInbox& inbox) override {
    journal_.push_back("watch " + std::to_string(index));
    inbox_ = &inbox;
    inbox.Push({DiagnosisEvent::Kind::kLinkDown, {}, {}});
  }
  void Stop() override {
    if (inbox_ != nullptr) journal_.push_back("watch stop");
    inbox_ = nullptr;
  }
  void Report(DiagnosisEvent::Kind kind) {
    if (inbox_ != nullptr) inbox_->Push({kind, {}, {}});
  }

 private:
  Journal& journal_;
  DiagnosisInbox* inbox_ = nullptr;
};

TEST_F(RepairWorkflowTest, TheLinkIsWatchedFromTheAddressUntilTheCardIsGivenBack) {
  FakeLinkSource link(journal_);
  AddCard("eth0", 7);
  WriteFirmware(3000);
  RepairSetup setup =
      LoopbackSetup(adapters_, physical_, changer_, keeper_, record_, firmware_.path(), port_, console_);
  setup.cardWatchers = {&link};
  workflow_ = std::make_unique<RepairWorkflow>(std::move(setup), view_, chooser_);
  workflow_->Server().log_sink = [](const std::string&) {};
  workflow_->StartRepair();
  workflow_->OnDiagnosisEvents();
  EXPECT_EQ(view_.diagnoses, (std::vector<std::wstring>{kDiagWatching, kDiagLinkDown}));
  link.Report(DiagnosisEvent::Kind::kLinkUp);
  workflow_->OnDiagnosisEvents();
  EXPECT_EQ(view_.diagnoses.back(), kDiagLinkUp);
  workflow_->ExitRepair();
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 7", "keep 7", "watch 7", "watch stop", "keeper stop",
                               "record at restore: yes", "restore 7 10.0.0.7"}));
  link.Report(DiagnosisEvent::Kind::kLinkDown);
  workflow_->OnDiagnosisEvents();
  EXPECT_EQ(view_.diagnoses.back(), kDiagLinkUp) << "nothing is watched after the card is back";
}

TEST_F(RepairWorkflowTest, TheConfirmationKeepsTheDownloadGoingAndCancelReturnsToIt) {
  RepairWorkflow& w = Started(3000);
  Report(w, 512);
  w.OnCloseOrExitClick(true);
  EXPECT_EQ(w.State(), ConfirmExit);
  EXPECT_EQ(w.PreviousState(), Downloading);
  EXPECT_EQ(view_.icon, kWarningIcon);
  Report(w, 3000);  // still counted
  EXPECT_EQ(view_.percents.back(), 60);
  for (int i = 0; i < 40; ++i) w.OnFinishingTick();
  EXPECT_EQ(view_.timerStops, 1);
  EXPECT_EQ(w.State(), ConfirmExit) << "the timer ends but the page stays";
  w.CancelExit();
  EXPECT_EQ(w.State(), Downloading);
  EXPECT_EQ(w.BarValue(), 100);
  EXPECT_EQ(view_.closes, 0);
  EXPECT_EQ(CountOf(journal_, "restore"), 0);
}

// The rule alone (the window's tests go through every close on every page):
// the question warns of harm, so it comes only while the box is being changed.
TEST_F(RepairWorkflowTest, ACloseAsksFirstOnlyWhileTheBoxIsBeingChanged) {
  AddCard("eth0", 7);
  Make().StartRepair();  // no firmware: the failure page
  workflow_->RequestClose();
  EXPECT_EQ(view_.closes, 1) << "nothing changed: no question";
  EXPECT_EQ(view_.pages, (std::vector<int>{Failed}));

  adapters_.list.clear();
  RepairWorkflow& w = Started(3000);
  w.OnEscape();
  EXPECT_EQ(w.State(), ConfirmExit) << "the box waits";
  w.OnEscape();
  EXPECT_EQ(w.State(), WaitingForDevice) << "Escape takes the question back";
  Report(w, 512);
  Report(w, 3000);  // all sent: the bar finishes
  w.RequestClose();
  EXPECT_EQ(w.State(), ConfirmExit) << "finishing";
  EXPECT_EQ(CountOf(journal_, "restore"), 0);
  w.RequestClose();  // on the question, a second close is its answer
  EXPECT_EQ(view_.closes, 2);
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
}

TEST_F(RepairWorkflowTest, EveryWayOutGivesTheCardBackExactlyOnceAndRemovesTheRecord) {
  RepairWorkflow& w = Started(1000);
  ASSERT_TRUE(std::filesystem::exists(RecordPath()));
  w.OnCloseOrExitClick(true);
  w.OnCloseOrExitClick(true);  // "close" on the confirmation: leave
  EXPECT_EQ(view_.closes, 1);
  w.OnWindowClosing();  // the WM_CLOSE that follows
  w.GiveBack();
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 7", "keep 7", "keeper stop", "record at restore: yes",
                               "restore 7 10.0.0.7"}))
      << "keeper stopped before the restore, the record still there during it";
  EXPECT_FALSE(std::filesystem::exists(RecordPath())) << "removed after the restore";
  EXPECT_FALSE(w.Server().running());
  w.StartRepair();
  EXPECT_EQ(CountOf(journal_, "give"), 1) << "nothing starts once the window closes";
}

TEST_F(RepairWorkflowTest, ASystemCloseOrTheEndOfTheWorkflowAloneGivesTheCardBack) {
  {
    RepairWorkflow& w = Started(1000);
    w.OnWindowClosing();  // Alt+F4, a signal, the end of the session
    EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
    EXPECT_FALSE(w.Server().running());
  }
  journal_.clear();
  adapters_.list.clear();
  {
    RepairWorkflow& w = Started(1000);
    (void)w;
    workflow_.reset();  // destroyed without any close
    EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
  }
}

TEST_F(RepairWorkflowTest, ACardThatCouldNotBeGivenBackKeepsItsRecordForTheNextStart) {
  RepairWorkflow& w = Started(1000);
  changer_.restoreAnswer = false;
  w.ExitRepair();
  EXPECT_TRUE(std::filesystem::exists(RecordPath()));
  znet::RestoreRecord left;
  ASSERT_EQ(record_.Read(left), znet::RestoreRecordFile::ReadResult::kLoaded);
  EXPECT_EQ(left.card.index, 7u);
  EXPECT_EQ(left.card.ipAddress, "10.0.0.7");
  EXPECT_EQ(left.adapterName, "eth0");
  EXPECT_FALSE(left.repairAddressWasOwn);
}

TEST_F(RepairWorkflowTest, TheRecordSaysWhenTheRepairAddressWasTheCardsOwn) {
  changer_.wasOwn = true;
  changer_.restoreAnswer = false;  // keeps the record for reading
  RepairWorkflow& w = Started(1000);
  w.ExitRepair();
  znet::RestoreRecord left;
  ASSERT_EQ(record_.Read(left), znet::RestoreRecordFile::ReadResult::kLoaded);
  EXPECT_TRUE(left.repairAddressWasOwn);
}

}  // namespace
}  // namespace zapp::testing
