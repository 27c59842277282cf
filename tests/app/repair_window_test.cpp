// The repair window itself: its start-up state, a whole repair with a real
// TFTP client, the confirmation, every way of closing, and the progress
// reports that cross from the server thread. Frames of the six pages go to
// the artifacts folder.

#include <chrono>
#include <csignal>
#include <thread>

#include "app/repair/diagnosis_texts.h"
#include "app/repair/process/shutdown_signals.h"
#include "sys/text_encoding.h"
#include "tests/app/repair_window_test_support.h"
#include "ui/controls/control.h"
#include "tftp/packets.h"
#include "ui/controls/progress.h"

namespace zapp::testing {
namespace {

using ztftp::testing::PatternBytes;

class VXGDownTest : public RepairWindowTest {
 protected:
  // The window on the waiting page, the firmware `size` bytes long.
  VXGDown& Waiting(size_t size = 3000) {
    AddCard("eth0", 7);
    firmware_.Write("upgradeimage.bin", PatternBytes(size));
    VXGDown& w = Open();
    Click(FirstPageBeginButton());
    EXPECT_EQ(Page(), WaitingForDevice);
    return w;
  }
  int Bar() { return dynamic_cast<zui::CProgressUI*>(Find(L"progress"))->GetValue(); }
  // Posts as the server thread does and lets the window take it.
  void Report(double position, double size = 3000) {
    window_->OnTransferProgress(position, size, "fw");
    Pump();
  }
};

TEST_F(VXGDownTest, StartsOnTheFirstPageWithItsFixedTexts) {
  VXGDown& w = Open();
  EXPECT_EQ(Page(), Start);
  EXPECT_EQ(TextOf(L"begin_upgrade_text"), kStartText);
  EXPECT_EQ(TextOf(L"waitingforuseraction_text"), kWaitingText);
  EXPECT_EQ(TextOf(L"end_upgrade_text"), kEndUpgradeText);
  EXPECT_EQ(TextOf(L"upgradeing_text"), kUpgradeingText);
  EXPECT_EQ(TextOf(L"begin_btn"), kBeginButtonText) << "the waiting page's button";
  EXPECT_EQ(FirstPageBeginButton()->GetText(), L"下一步") << "the first page's keeps its text";
  EXPECT_FALSE(Find(L"reset_mark")->IsVisible());
  EXPECT_TRUE(Find(L"repair_tips")->IsVisible());
  EXPECT_EQ(Bar(), 0);
  EXPECT_EQ(TextOf(L"downloadvolume"), L"99%") << "untouched until the first percentage";
  EXPECT_TRUE(w.GetPaintManager().IsTimerIdReserved(kFinishingTimerId));
  zui::WindowClassDesc cls;
  EXPECT_TRUE(host_.GetClassInfo(L"VXGDown", cls));
  EXPECT_EQ(host_.GetWindowRect(hwnd_).Width(), 484);
  SaveFrame(hwnd_, "page0_start");
}

TEST_F(VXGDownTest, AWholeRepairWithARealClientEndsOnTheFinishedPage) {
  Waiting(3000);
  EXPECT_EQ(TextOf(L"wait_status"), kDiagWatching);
  SaveFrame(hwnd_, "page1_waiting");
  EXPECT_EQ(journal_, (Journal{"record at give: yes", "give 7", "keep 7"}));

  EXPECT_EQ(ztftp::testing::TestPeer(port_).Download("upgradeimage.bin"), PatternBytes(3000));
  // Let the worker's posts arrive; each block was one report.
  for (int i = 0; i < 50 && Bar() < 60; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Pump();
  }
  EXPECT_EQ(Page(), Downloading);
  EXPECT_EQ(Bar(), 60);
  EXPECT_EQ(TextOf(L"downloadvolume"), L"60%");
  EXPECT_EQ(TextOf(L"upgradeing_status"), kUpdatingStatus);
  EXPECT_EQ(TextOf(L"down_status"), L"Vombel（127.0.0.1）开始下载固件");
  EXPECT_EQ(window_->PendingReports(), 0u);
  SaveFrame(hwnd_, "page2_downloading");

  for (int tick = 0; tick < 39; ++tick) {
    host_.AdvanceClock(kFinishingTimerMs);
    Pump();
  }
  EXPECT_EQ(Bar(), 99);
  EXPECT_EQ(Page(), Downloading);
  host_.AdvanceClock(kFinishingTimerMs);
  Pump();
  EXPECT_EQ(TextOf(L"downloadvolume"), L"100%");
  EXPECT_EQ(Page(), Finished);
  EXPECT_FALSE(Find(L"repair_tips")->IsVisible());
  EXPECT_EQ(TextOf(L"end_log").rfind(kSupportLogText, 0), 0u) << "the finished page says where the log is";
  host_.AdvanceClock(10 * kFinishingTimerMs);
  Pump();
  EXPECT_EQ(Bar(), 100) << "the timer is gone";
  SaveFrame(hwnd_, "page3_finished");

  Click(L"exit_btn");
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(host_.LastQuit(), 0);
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
  EXPECT_FALSE(window_->Workflow().Server().running());
  EXPECT_FALSE(std::filesystem::exists(record_.Path()));
}

TEST_F(VXGDownTest, ABoxThatStopsAcknowledgingIsNamedOnTheDownloadPageAfterSixSeconds) {
  Waiting(300000);
  ztftp::testing::TestPeer box(port_);
  box.Send(ztftp::testing::Request(ztftp::kReadRequest, "upgradeimage.bin"));
  for (uint16_t block = 1; block <= 100; ++block) {
    ASSERT_TRUE(box.Receive());
    box.Send(ztftp::testing::Ack(block));
  }
  // The box goes quiet at block 100; the posts of its blocks arrive.
  for (int i = 0; i < 50 && Page() != Downloading; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Pump();
  }
  ASSERT_EQ(Page(), Downloading);
  EXPECT_EQ(TextOf(L"down_status"), L"Vombel（127.0.0.1）开始下载固件");
  for (int second = 0; second < 6; ++second) {
    host_.AdvanceClock(kDiagnosisTickMs);
    Pump();
  }
  EXPECT_EQ(TextOf(L"down_status"), L"Vombel已6秒没有确认收到的数据，请检查网线和Vombel的电源");
  SaveFrame(hwnd_, "page2_diagnosis");
  Click(L"close");
  Click(L"confirm_exit_btn");
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
}

TEST_F(VXGDownTest, TheFirstReportOnlySwitchesPagesAndPositionZeroIsNeverPosted) {
  Waiting(3000);
  window_->OnTransferProgress(0, 3000, "fw");
  EXPECT_EQ(window_->PendingReports(), 0u);
  Pump();
  EXPECT_EQ(Page(), WaitingForDevice);
  Report(2000);
  EXPECT_EQ(Page(), Downloading);
  EXPECT_EQ(Bar(), 0) << "its values are not used";
  Report(2000);
  EXPECT_EQ(Bar(), 40);
  Report(1000);
  EXPECT_EQ(Bar(), 40) << "never down";
  EXPECT_EQ(TextOf(L"downloadvolume"), L"40%");
}

TEST_F(VXGDownTest, CloseDuringTheDownloadAsksAndCancelGoesBackToTheMovingBar) {
  Waiting(3000);
  Report(512);
  Click(L"close");
  EXPECT_EQ(Page(), ConfirmExit);
  EXPECT_EQ(Find(L"icon_bg")->GetBkImage(), kWarningIcon);
  EXPECT_FALSE(Find(L"repair_tips")->IsVisible());
  SaveFrame(hwnd_, "page4_confirm_exit");
  Report(1500);
  EXPECT_EQ(Bar(), 30) << "the bar goes on meanwhile";
  Click(L"cancel_exit_btn");
  EXPECT_EQ(Page(), Downloading);
  EXPECT_EQ(Find(L"icon_bg")->GetBkImage(), kNormalIcon);
  EXPECT_TRUE(host_.IsHostWindow(hwnd_));

  Click(L"close");
  Click(L"confirm_exit_btn");
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
  EXPECT_EQ(CountOf(journal_, "keeper stop"), 1);
}

TEST_F(VXGDownTest, AFailedStartShowsTheErrorPageAndRetryStartsAgain) {
  AddCard("eth0", 7);
  Open();
  Click(FirstPageBeginButton());
  EXPECT_EQ(Page(), Failed);
  EXPECT_EQ(TextOf(L"upgrade_error_text").rfind(std::wstring(kFirmwareText) + L"\n", 0), 0u);
  EXPECT_EQ(Find(L"icon_bg")->GetBkImage(), kWarningIcon);
  // The log's place on a line of its own below the button, which stays where it was.
  EXPECT_EQ(TextOf(L"error_log"), kSupportLogText + zsys::Utf8ToWide(window_->Workflow().SupportLogPath().string()));
  EXPECT_FALSE(TextOf(L"error_log").empty());
  EXPECT_LE(Find(L"repair_retry")->GetPos().bottom, Find(L"error_log")->GetPos().top);
  SaveFrame(hwnd_, "page5_failed");
  firmware_.Write("upgradeimage.bin", PatternBytes(100));
  Click(L"repair_retry");
  EXPECT_EQ(Page(), WaitingForDevice);
  // "close" with nothing but the confirmation shown twice leaves.
  Click(L"close");
  Click(L"close");
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(CountOf(journal_, "restore"), 1);
}

TEST_F(VXGDownTest, TheSystemCloseGivesTheCardBackOnceAndEndsTheProgram) {
  Waiting();
  window_->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4, the taskbar
  Pump();
  EXPECT_EQ(Page(), ConfirmExit) << "the box waits: the question first";
  window_->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);  // and again: the answer
  Pump();
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(host_.LastQuit(), 0);
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
  EXPECT_FALSE(window_->Workflow().Server().running());
  window_.reset();
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1) << "not again when the object goes";
}

TEST_F(VXGDownTest, TheEndOfTheSessionGivesTheCardBackBeforeAnyClose) {
  Waiting();
  window_->SendMessage(0x0016 /* WM_ENDSESSION */, 1, 0);
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
  EXPECT_FALSE(window_->Workflow().Server().running());
  window_->SendMessage(WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
}

#ifndef _WIN32
TEST_F(VXGDownTest, ATerminationSignalClosesTheWindowAndGivesTheCardBack) {
  Waiting();
  const zui::WindowHandle target = hwnd_;
  InstallShutdownSignals([target] { zui::Host().PostMessage(target, WM_CLOSE, 0, 0); });
  std::raise(SIGTERM);
  for (int i = 0; i < 200 && host_.IsHostWindow(hwnd_); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Pump();
  }
  RemoveShutdownSignals();
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
}
#endif

TEST_F(VXGDownTest, ReportsTheWindowCanNoLongerTakeAreFreed) {
  Waiting();
  Report(512);
  // Posted, then the window goes before they are taken.
  window_->OnTransferProgress(1024, 3000, "fw");
  window_->OnTransferProgress(2048, 3000, "fw");
  EXPECT_EQ(window_->PendingReports(), 2u);
  host_.DestroyHostWindow(hwnd_);
  window_->OnTransferProgress(3000, 3000, "fw");  // nowhere to post to
  EXPECT_EQ(window_->PendingReports(), 2u) << "only the two in the queue are outstanding";
  Pump();
  window_.reset();  // frees them (the address sanitizer checks the rest)
}

// The start page's status line, before any click: what a start would do.
class StartStatusTest : public RepairWindowTest {
 protected:
  std::wstring Folder() {
    const std::u8string text = firmware_.path().u8string();
    return zsys::Utf8ToWide(std::string(text.begin(), text.end()));
  }
  // The window goes, so that the next Open looks again.
  void Reopen() {
    if (host_.IsHostWindow(hwnd_)) host_.DestroyHostWindow(hwnd_);
    window_.reset();
    Pump();
    Open();
  }
};

TEST_F(StartStatusTest, OneCardAndTheFirmwareAreNamedBelowTheUnmovedButton) {
  AddCard("eth0", 7, L"Intel Ethernet I219-V");
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  Open();
  EXPECT_EQ(TextOf(L"start_status"), L"网卡 eth0（Intel Ethernet I219-V） 将获得地址 192.168.1.2\n固件 "
                                     L"upgradeimage.bin，3000 字节，位于 " +
                                         Folder());
  // Between the start button, where it always was, and the tips line.
  const zui::Rect button = FirstPageBeginButton()->GetPos();
  const zui::Rect status = Find(L"start_status")->GetPos();
  EXPECT_EQ(button.top, 196);
  EXPECT_EQ(button.left, 176);
  EXPECT_GE(status.top, button.bottom);
  EXPECT_LE(status.bottom, Find(L"repair_tips")->GetPos().top);
  EXPECT_TRUE(Find(L"start_status")->IsVisible());
  SaveFrame(hwnd_, "page0_start_status");
  EXPECT_TRUE(journal_.empty()) << "looking changes nothing";
  EXPECT_FALSE(window_->Workflow().Server().running());
}

TEST_F(StartStatusTest, SeveralCardsNoCardNoFirmwareAndANearName) {
  AddCard("eth0", 7);
  AddCard("eth1", 9);
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  Open();
  EXPECT_EQ(TextOf(L"start_status").substr(0, TextOf(L"start_status").find(L'\n')),
            L"检测到 2 张有线网卡：开始修复时请选择连接Vombel的那张");

  adapters_.list.clear();
  physical_.clear();
  Reopen();
  EXPECT_EQ(TextOf(L"start_status").rfind(L"未检测到有线网卡，请确认网卡已安装并启用\n固件 upgradeimage.bin", 0), 0u);

  AddCard("eth0", 7);
  std::filesystem::remove(firmware_.path() / "upgradeimage.bin");
  Reopen();
  EXPECT_EQ(TextOf(L"start_status").substr(TextOf(L"start_status").find(L'\n') + 1),
            L"未找到固件 upgradeimage.bin（已查找：" + Folder() + L"）");

  firmware_.Write("upgradeimage (1).bin", PatternBytes(3000));
  Reopen();
  const std::wstring status = TextOf(L"start_status");
  EXPECT_NE(status.find(L"中有 upgradeimage (1).bin：请将它改名为 upgradeimage.bin"), std::wstring::npos)
      << zsys::WideToUtf8(status);
  // The click says it again on the failure page, below the unchanged wording.
  Click(FirstPageBeginButton());
  EXPECT_EQ(Page(), Failed);
  EXPECT_EQ(TextOf(L"upgrade_error_text"), std::wstring(kFirmwareText) + L"\n" + status.substr(status.find(L'\n') + 1));
  EXPECT_EQ(Find(L"repair_retry")->GetPos().top, 220) << "the retry button stays where it was";
  SaveFrame(hwnd_, "page5_failed_near_name");
}

}  // namespace
}  // namespace zapp::testing
