// The terminal's main loop over the real workflow and server on a loopback
// port, with the repair tests' fakes for the card: a whole repair through a
// real TFTP download (also of a firmware file by another name), stops while
// waiting and during the question, a declined change, a missing firmware.
// Every way out gives the card back exactly once. The finishing ticks are
// one millisecond apart here.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <thread>

#include "app/repair/diagnosis_texts.h"
#include "app/repair/repair_texts.h"
#include "app/repair/repair_workflow.h"
#include "app/zaviz_repair/repair_driver.h"
#include "sys/text_encoding.h"
#include "tests/app/repair_fakes.h"
#include "tests/app/terminal/fake_console.h"
#include "tests/net/fakes.h"
#include "tests/tftp/tftp_test_support.h"
#include "tftp/packets.h"

namespace zaviz_repair {
namespace {

using zapp::testing::CountOf;
using zapp::testing::Journal;
using ztftp::testing::Bytes;
using ztftp::testing::PatternBytes;

constexpr uint32_t kTestTickMs = 1;

class RepairDriverTest : public ::testing::Test {
 protected:
  RepairDriverTest() {
    znet::AdapterEntry entry = znet::testing::Adapter("eth0", "Card eth0", 7);
    entry.ipAddress = "10.0.0.7";
    entry.ipMask = "255.255.255.0";
    adapters_.list.push_back(entry);
    physical_["eth0"] = true;
    changer_.recordToWatch = RecordPath();
  }
  ~RepairDriverTest() override {
    if (downloader_.joinable()) downloader_.join();
  }

  std::filesystem::path RecordPath() const { return runtime_.path() / "restore-record"; }

  // The workflow as zaviz-repair sets it up; `confirm` is asked before the change.
  zapp::RepairWorkflow& Make(std::function<bool(const znet::NetCardInfo&)> confirm = nullptr,
                             const std::filesystem::path& firmwareFile = {}) {
    zapp::RepairSetup setup = zapp::testing::LoopbackSetup(adapters_, physical_, changer_, keeper_, record_,
                                                           firmware_.path(), port_, nullptr);
    setup.console = discard_;
    setup.firmwareFile = firmwareFile;
    setup.confirmCardChange = std::move(confirm);
    workflow_ = std::make_unique<zapp::RepairWorkflow>(std::move(setup), view_, view_);
    workflow_->Server().log_sink = [](const std::string&) {};
    workflow_->Server().progress_callback = [this](int position, int size, const std::string& path) {
      if (position != 0) events_.PushProgress({double(position), double(size), path});
    };
    return *workflow_;
  }
  // A confirmation that says yes and lets a box fetch the firmware meanwhile.
  std::function<bool(const znet::NetCardInfo&)> YesAndDownload() {
    return [this](const znet::NetCardInfo& card) {
      confirmedIndex_ = card.index;
      downloader_ = std::thread([this] { fetched_ = ztftp::testing::TestPeer(port_).Download("upgradeimage.bin"); });
      return true;
    };
  }
  RepairOutcome Run(zapp::RepairWorkflow& workflow) {
    RepairDriver driver(workflow, view_, events_, kTestTickMs);
    const RepairOutcome outcome = driver.Run();
    cardWasChanged_ = driver.CardWasChanged();
    return outcome;
  }

  ztftp::testing::ScratchFolder firmware_, runtime_;
  Journal journal_;
  znet::testing::FakeAdapters adapters_;
  znet::PhysicalCardTable physical_;
  zapp::testing::FakeChanger changer_{journal_};
  zapp::testing::FakeKeeper keeper_{journal_};
  znet::RestoreRecordFile record_{RecordPath()};
  testing::FakeConsole console_{false};
  TerminalView view_{console_, adapters_.list, zapp::kFinishingTimerMs};
  EventQueue events_;
  std::FILE* discard_ = std::tmpfile();
  int port_ = zapp::testing::FreeUdpPort();
  std::unique_ptr<zapp::RepairWorkflow> workflow_;
  std::thread downloader_;
  std::optional<Bytes> fetched_;
  uint32_t confirmedIndex_ = 0;
  bool cardWasChanged_ = false;
};

TEST_F(RepairDriverTest, ARealDownloadRunsThroughTheFinishingTicksToTheRepairedEnd) {
  firmware_.Write("upgradeimage.bin", PatternBytes(200000));
  zapp::RepairWorkflow& workflow = Make(YesAndDownload());
  EXPECT_EQ(Run(workflow), RepairOutcome::kRepaired);
  downloader_.join();
  ASSERT_TRUE(fetched_);
  EXPECT_EQ(*fetched_, PatternBytes(200000));
  EXPECT_EQ(confirmedIndex_, 7u);
  EXPECT_TRUE(cardWasChanged_);
  EXPECT_EQ(workflow.BarValue(), 100);
  EXPECT_EQ(workflow.State(), zapp::Finished);
  EXPECT_FALSE(workflow.Server().running()) << "the server is stopped before Run returns";
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 7", "keep 7", "keeper stop", "record at restore: yes",
                               "restore 7 10.0.0.7"}));
  EXPECT_FALSE(std::filesystem::exists(RecordPath()));
  EXPECT_NE(console_.out.find("] 100%"), std::string::npos) << console_.out;
  EXPECT_EQ(console_.out.find('\r'), std::string::npos);
  workflow_.reset();
  EXPECT_EQ(CountOf(journal_, "restore"), 1) << "the workflow's end gives nothing back a second time";
}

TEST_F(RepairDriverTest, ABoxThatAsksAgainAfterTheDownloadFailsTheRepairWithThatReasonAndTheCardBack) {
  firmware_.Write("upgradeimage.bin", PatternBytes(20000));
  zapp::RepairWorkflow& workflow = Make([this](const znet::NetCardInfo&) {
    downloader_ = std::thread([this] {
      ztftp::testing::TestPeer box(port_);
      box.Send(ztftp::testing::Request(ztftp::kReadRequest, "vombel.itb"));
      box.Receive();
      fetched_ = ztftp::testing::TestPeer(port_).Download("upgradeimage.bin");
      // After the last report has reached the main thread, well inside the finishing phase.
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      ztftp::testing::TestPeer(port_, 300).Download("upgradeimage.bin");  // the server is gone by the end
    });
    return true;
  });
  workflow.DiagnosisEvents().SetWake([this] { events_.PushDiagnosis(); });
  // Ticks slow enough (40 x 25 ms) that the box's second request lands in the finishing phase.
  RepairDriver driver(workflow, view_, events_, 25);
  EXPECT_EQ(driver.Run(), RepairOutcome::kFailed);
  downloader_.join();
  ASSERT_TRUE(fetched_);
  EXPECT_EQ(view_.ErrorText(), zapp::kDiagAskedAgain);
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
  EXPECT_FALSE(std::filesystem::exists(RecordPath()));
  const std::string out = console_.out;
  const size_t refused = out.find("状态：Vombel请求的文件“vombel.itb”不存在");
  const size_t started = out.find("状态：Vombel（127.0.0.1）开始下载固件");
  const size_t again = out.find("状态：Vombel在更新阶段再次请求固件");
  EXPECT_NE(out.find("状态：正在等待Vombel的请求"), std::string::npos) << out;
  ASSERT_NE(refused, std::string::npos) << out;
  ASSERT_NE(started, std::string::npos) << out;
  ASSERT_NE(again, std::string::npos) << out;
  EXPECT_LT(refused, started);
  EXPECT_LT(started, again);
}

TEST_F(RepairDriverTest, AFirmwareFileByAnotherNameIsServedUnderTheFirmwaresName) {
  ztftp::testing::ScratchFolder elsewhere;
  elsewhere.Write("vombel-2.1.img", PatternBytes(70001, 9));
  firmware_.Write("upgradeimage.bin", PatternBytes(10));  // not this one
  zapp::RepairWorkflow& workflow = Make(YesAndDownload(), elsewhere.path() / "vombel-2.1.img");
  EXPECT_EQ(Run(workflow), RepairOutcome::kRepaired);
  downloader_.join();
  ASSERT_TRUE(fetched_);
  EXPECT_EQ(*fetched_, PatternBytes(70001, 9));
  EXPECT_EQ(workflow.TotalSize(), 70001);
}

TEST_F(RepairDriverTest, AStopWhileWaitingGivesTheCardBackOnce) {
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  zapp::RepairWorkflow& workflow = Make();
  events_.PushStop();  // it waits in the queue until the card has the address
  EXPECT_EQ(Run(workflow), RepairOutcome::kInterrupted);
  EXPECT_TRUE(cardWasChanged_);
  EXPECT_EQ(CountOf(journal_, "give"), 1);
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
  EXPECT_EQ(journal_.back(), "restore 7 10.0.0.7");
  EXPECT_FALSE(std::filesystem::exists(RecordPath()));
  EXPECT_FALSE(workflow.Server().running());
}

TEST_F(RepairDriverTest, AStopDuringTheDownloadEndsItThere) {
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  zapp::RepairWorkflow& workflow = Make();
  events_.PushProgress({512, 3000, "fw"});
  events_.PushProgress({1536, 3000, "fw"});
  events_.PushStop();
  events_.PushProgress({3000, 3000, "fw"});  // after the stop: never read
  EXPECT_EQ(Run(workflow), RepairOutcome::kInterrupted);
  EXPECT_EQ(workflow.State(), zapp::Downloading);
  EXPECT_EQ(workflow.BarValue(), 30);
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
}

TEST_F(RepairDriverTest, ADeclinedChangeOrAStopDuringTheQuestionLeavesTheCardAlone) {
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  zapp::RepairWorkflow& declined = Make([](const znet::NetCardInfo&) { return false; });
  EXPECT_EQ(Run(declined), RepairOutcome::kNoCard);
  EXPECT_FALSE(cardWasChanged_);
  EXPECT_FALSE(declined.Server().running()) << "the server went with the answer";
  EXPECT_EQ(declined.State(), zapp::Start);

  zapp::RepairWorkflow& stopped = Make([this](const znet::NetCardInfo&) {
    events_.PushStop();  // Ctrl+C ends the question with no answer
    return false;
  });
  EXPECT_EQ(Run(stopped), RepairOutcome::kInterrupted);
  EXPECT_FALSE(cardWasChanged_);
  workflow_.reset();
  EXPECT_TRUE(journal_.empty()) << journal_.front();
  EXPECT_FALSE(std::filesystem::exists(RecordPath()));
}

TEST_F(RepairDriverTest, AMissingFirmwareFailsWithTheWizardsTextAndChangesNothing) {
  zapp::RepairWorkflow& inFolder = Make();
  EXPECT_EQ(Run(inFolder), RepairOutcome::kFailed);
  const std::u8string folder = firmware_.path().u8string();
  const std::string missing =
      "未找到固件 upgradeimage.bin（已查找：" + std::string(folder.begin(), folder.end()) + "）";
  // Said before the attempt, and again, below the wizard's wording, as its failure.
  EXPECT_EQ(console_.out, "网卡 eth0（Card eth0） 将获得地址 192.168.1.2\n" + missing + "\n");
  EXPECT_EQ(zsys::WideToUtf8(view_.ErrorText()), zsys::WideToUtf8(zapp::kFirmwareText) + "\n" + missing);

  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  for (const std::filesystem::path& file : {firmware_.path() / "missing.bin", firmware_.path()}) {
    zapp::RepairWorkflow& named = Make(nullptr, file);
    EXPECT_EQ(Run(named), RepairOutcome::kFailed) << file;
    EXPECT_EQ(named.TotalSize(), 0);
  }
  EXPECT_TRUE(journal_.empty());
}

TEST_F(RepairDriverTest, SeveralCardsAreAskedAtTheTerminal) {
  znet::AdapterEntry second = znet::testing::Adapter("eth1", "Card eth1", 8);
  second.ipAddress = "10.0.1.8";
  adapters_.list.push_back(second);
  physical_["eth1"] = true;
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  TerminalView view(console_, adapters_.list, zapp::kFinishingTimerMs);
  console_.answers = {"2"};
  zapp::RepairSetup setup =
      zapp::testing::LoopbackSetup(adapters_, physical_, changer_, keeper_, record_, firmware_.path(), port_, discard_);
  zapp::RepairWorkflow workflow(std::move(setup), view, view);
  workflow.Server().log_sink = [](const std::string&) {};
  events_.PushStop();
  RepairDriver driver(workflow, view, events_, kTestTickMs);
  EXPECT_EQ(driver.Run(), RepairOutcome::kInterrupted);
  EXPECT_NE(console_.out.find("  1) eth0  Card eth0  10.0.0.7\n  2) eth1  Card eth1  10.0.1.8\n"), std::string::npos)
      << console_.out;
  EXPECT_EQ(console_.out.rfind(
                "检测到 2 张有线网卡：开始修复时请选择连接Vombel的那张\n固件 upgradeimage.bin，3000 字节，位于 ", 0),
            0u)
      << "the facts come before the question: " << console_.out;
  EXPECT_EQ(journal_[1], "give 8");
  EXPECT_EQ(CountOf(journal_, "restore 8"), 1);
}

}  // namespace
}  // namespace zaviz_repair
