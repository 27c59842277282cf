// The status line and the findings over scripted streams of the events the
// card's link, the capture and the server deliver, on a manual clock.

#include <gtest/gtest.h>

#include "app/repair/diagnosis/diagnosis_inbox.h"
#include "app/repair/diagnosis/repair_diagnosis.h"
#include "app/repair/diagnosis_texts.h"

namespace zapp {
namespace {

using Kind = DiagnosisEvent::Kind;

class DiagnosisTest : public ::testing::Test {
 protected:
  DiagnosisTest() : diagnosis_([this] { return now_; }) { diagnosis_.Begin(); }

  void Send(Kind kind, std::string address = {}, std::string detail = {}) {
    diagnosis_.Apply({kind, std::move(address), std::move(detail)});
  }
  // A request the server saw after it had sent the whole image once.
  void SendAgain() { diagnosis_.Apply({Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin", true}); }
  void Advance(uint64_t ms) {
    // Ticks once a second, as the frontends do.
    for (uint64_t step = 0; step < ms; step += 1000) {
      now_ += std::min<uint64_t>(1000, ms - step);
      diagnosis_.Tick();
    }
  }
  std::wstring Line() const { return diagnosis_.StatusLine(); }

  uint64_t now_ = 1000;
  RepairDiagnosis diagnosis_;
};

TEST_F(DiagnosisTest, CableDownAtStartThenUpSaysWhereToPlugItAndThenWaits) {
  EXPECT_EQ(Line(), kDiagWatching);
  Send(Kind::kLinkDown);
  EXPECT_EQ(Line(), kDiagLinkDown);
  EXPECT_NE(Line().find(L"LAN口"), std::wstring::npos);
  Send(Kind::kLinkDown);  // the same state again is no news
  now_ += 2500;
  Send(Kind::kLinkUp);
  EXPECT_EQ(Line(), kDiagLinkUp);
  ASSERT_EQ(diagnosis_.Findings().size(), 3u);
  EXPECT_EQ(diagnosis_.Findings()[1].atMs, 1000u);
  EXPECT_EQ(diagnosis_.Findings()[2].atMs, 3500u);
}

TEST_F(DiagnosisTest, TheBoxIsNamedByItsFirstPacketOnlyAndItsRequestStartsTheTransfer) {
  Send(Kind::kLinkUp);
  EXPECT_EQ(Line(), kDiagWatching);  // a link that was never down needs no word
  Send(Kind::kBoxPacket, "192.168.1.1");
  EXPECT_EQ(Line(), L"已收到Vombel（192.168.1.1）的第一个数据包");
  Send(Kind::kBoxPacket, "192.168.1.7");
  EXPECT_EQ(Line(), L"已收到Vombel（192.168.1.1）的第一个数据包");
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  EXPECT_EQ(Line(), L"Vombel（192.168.1.1）开始下载固件");
}

TEST_F(DiagnosisTest, ArpForAnotherServerNamesTheAddressButArpForOursIsNormal) {
  Send(Kind::kArpForOther, "192.168.0.1", "192.168.1.2");
  EXPECT_EQ(Line(), kDiagWatching);
  Send(Kind::kArpForOther, "192.168.0.1", "192.168.0.66");
  EXPECT_EQ(Line(), L"Vombel在寻找服务器地址192.168.0.66，不是本机的192.168.1.2");
  const size_t count = diagnosis_.Findings().size();
  Send(Kind::kArpForOther, "192.168.0.1", "192.168.0.66");  // it asks once a second: one finding
  EXPECT_EQ(diagnosis_.Findings().size(), count);
}

TEST_F(DiagnosisTest, ARequestForANameWeDoNotServeNamesIt) {
  Send(Kind::kUnknownName, "192.168.1.1", "u-boot.bin");
  EXPECT_EQ(Line(), L"Vombel请求的文件“u-boot.bin”不存在，本工具只提供upgradeimage.bin");
}

// The server's thread may deliver the request before the capture's thread
// delivers the packets before it: the request is then the box's first packet.
TEST_F(DiagnosisTest, ARequestBeforeTheCapturedPacketsStillNamesTheBoxFirst) {
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  Send(Kind::kBoxPacket, "192.168.1.1");
  const auto& findings = diagnosis_.Findings();
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[1].text, L"已收到Vombel（192.168.1.1）的第一个数据包");
  EXPECT_EQ(findings[2].text, L"Vombel（192.168.1.1）开始下载固件");
  EXPECT_EQ(Line(), findings[2].text);
}

TEST_F(DiagnosisTest, SilenceAfterTheRequestOrMidTransferIsSaidOnceAndResumingIsSaidToo) {
  // The request came, but no block was ever acknowledged.
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  Advance(5000);
  EXPECT_EQ(Line(), L"Vombel（192.168.1.1）开始下载固件");
  Advance(1000);
  EXPECT_EQ(Line(), L"Vombel已6秒没有确认收到的数据，请检查网线和Vombel的电源");
  diagnosis_.OnProgress(512);
  EXPECT_EQ(Line(), kDiagResumed);
  // Blocks flow: no silence however long the transfer.
  for (int block = 2; block <= 100; ++block) {
    Advance(1000);
    diagnosis_.OnProgress(512.0 * block);
  }
  EXPECT_EQ(Line(), kDiagResumed);
  // The box stops acknowledging at block 100.
  Advance(5999);
  EXPECT_EQ(Line(), kDiagResumed);
  Advance(1);
  EXPECT_NE(Line().find(L"6秒"), std::wstring::npos);
  const size_t count = diagnosis_.Findings().size();
  Advance(20000);
  EXPECT_EQ(diagnosis_.Findings().size(), count);
  Send(Kind::kTransferGivenUp, "192.168.1.1");
  EXPECT_EQ(Line(), kDiagGivenUp);
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");  // after a give-up: a fresh start
  EXPECT_EQ(Line(), L"Vombel（192.168.1.1）开始下载固件");
}

TEST_F(DiagnosisTest, LinkLostMidTransferAndTheBoxStartingAgainAreToldApart) {
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  diagnosis_.OnProgress(512);
  Send(Kind::kLinkDown);
  EXPECT_EQ(Line(), kDiagLinkLost);
  Send(Kind::kAddressPutBack);
  EXPECT_EQ(Line(), kDiagAddressPutBack);
  Send(Kind::kLinkUp);
  EXPECT_EQ(Line(), kDiagLinkUp);
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  EXPECT_EQ(Line(), kDiagRestarted);
}

TEST_F(DiagnosisTest, ARequestAfterTheWholeImageMeansTheBoxDidNotTakeItAndThatLineStays) {
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  diagnosis_.OnProgress(4096);
  diagnosis_.OnDownloadComplete();
  Advance(30000);  // the finishing phase is quiet: no silence finding
  Send(Kind::kTransferGivenUp, "192.168.1.1");
  EXPECT_FALSE(diagnosis_.AskedAgain());
  EXPECT_EQ(Line(), L"Vombel（192.168.1.1）开始下载固件");
  SendAgain();
  EXPECT_TRUE(diagnosis_.AskedAgain());
  EXPECT_EQ(Line(), kDiagAskedAgain);
  Send(Kind::kLinkDown);
  EXPECT_EQ(Line(), kDiagAskedAgain);
  EXPECT_EQ(diagnosis_.Findings().back().text, kDiagLinkDown);  // still in the log
}

TEST_F(DiagnosisTest, NothingCountsBeforeBeginOrAfterEndAndANewBeginForgetsTheLastAttempt) {
  // The server's word decides, however late this thread hears of the progress.
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  SendAgain();
  ASSERT_TRUE(diagnosis_.AskedAgain());
  diagnosis_.End();
  Send(Kind::kLinkDown);
  EXPECT_EQ(Line(), kDiagAskedAgain);
  diagnosis_.Begin();
  EXPECT_FALSE(diagnosis_.AskedAgain());
  EXPECT_EQ(Line(), kDiagWatching);
  ASSERT_EQ(diagnosis_.Findings().size(), 1u);
  Send(Kind::kReadRequest, "192.168.1.1", "upgradeimage.bin");
  EXPECT_EQ(Line(), L"Vombel（192.168.1.1）开始下载固件");
}

TEST_F(DiagnosisTest, AFlappingLinkKeepsTheLogBoundedAndNewFindingsAreHandedOutOnce) {
  EXPECT_EQ(diagnosis_.TakeNewFindings().size(), 1u);
  EXPECT_TRUE(diagnosis_.TakeChanged());
  EXPECT_FALSE(diagnosis_.TakeChanged());
  for (int flap = 0; flap < 1000; ++flap) {
    Send(Kind::kLinkDown);
    Send(Kind::kLinkUp);
  }
  EXPECT_EQ(diagnosis_.Findings().size(), RepairDiagnosis::kMaxFindings);
  EXPECT_EQ(diagnosis_.TakeNewFindings().size(), RepairDiagnosis::kMaxFindings);
  EXPECT_TRUE(diagnosis_.TakeNewFindings().empty());
  EXPECT_EQ(Line(), kDiagLinkUp);
}

TEST(DiagnosisInboxTest, WakesOncePerBatchAndDropsAFloodBeyondItsBound) {
  DiagnosisInbox inbox;
  int wakes = 0;
  inbox.SetWake([&wakes] { ++wakes; });
  for (size_t i = 0; i < DiagnosisInbox::kMaxWaiting + 50; ++i) inbox.Push({Kind::kBoxPacket, "10.0.0.1", {}});
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(inbox.Take().size(), DiagnosisInbox::kMaxWaiting);
  inbox.Push({Kind::kLinkUp, {}, {}});
  EXPECT_EQ(wakes, 2);
  inbox.SetWake(nullptr);
  inbox.Push({Kind::kLinkDown, {}, {}});
  EXPECT_EQ(wakes, 2);
  EXPECT_EQ(inbox.Take().size(), 2u);
}

}  // namespace
}  // namespace zapp
