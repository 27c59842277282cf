// The repair window from the keyboard and every way of closing it: where the
// focus starts on each page, what Enter, Space, Tab and Escape do, and for
// each close (the ×, Alt+F4, the taskbar's close, Escape) on each page
// whether the question comes first and what the card has afterwards.

#include <functional>
#include <string>
#include <vector>

#include "app/repair/notice_window.h"
#include "tests/app/repair_window_test_support.h"
#include "ui/controls/control.h"
#include "ui/controls/progress.h"

namespace zapp::testing {
namespace {

using ztftp::testing::PatternBytes;

class RepairWindowKeysTest : public RepairWindowTest {
 protected:
  zui::CControlUI* Focus() { return window_->GetPaintManager().GetFocus(); }
  std::wstring FocusName() { return Focus() != nullptr ? Focus()->GetName() : L"<none>"; }
  void Press(int key) {
    host_.PressKey(key);
    Pump();
  }
  void ShiftTab() {
    host_.PressKeys({VK_SHIFT, VK_TAB});
    Pump();
  }
  // The red of the frame's pixel just inside `name`'s left edge, where the
  // focus ring lies, halfway down the button's face.
  int RingRed(const wchar_t* name) {
    Pump();
    const zui::Bitmap* frame = host_.Frame(hwnd_);
    const zui::CControlUI* button = Find(name);
    if (frame == nullptr || button == nullptr) return -1;
    const zui::Rect& r = button->GetPos();
    return static_cast<int>((frame->row(r.top + 20)[r.left + 2] >> 16) & 0xFF);
  }
  void Report(double position) {
    window_->OnTransferProgress(position, 3000, "fw");
    Pump();
  }
  // The whole file has gone out and the bar has run to its end.
  void Finish() {
    Report(512);
    Report(3000);
    for (int tick = 0; tick < 40; ++tick) {
      host_.AdvanceClock(kFinishingTimerMs);
      Pump();
    }
  }
  // A fresh window for the next case, the last one and its records gone.
  void Reopen(bool firmware) {
    if (hwnd_ != nullptr && host_.IsHostWindow(hwnd_)) host_.DestroyHostWindow(hwnd_);
    window_.reset();
    journal_.clear();
    std::filesystem::remove(firmware_.path() / "upgradeimage.bin");
    if (firmware) firmware_.Write("upgradeimage.bin", PatternBytes(3000));
    Open();
  }
};

TEST_F(RepairWindowKeysTest, FocusStartsOnEachPagesMainButtonAndTheKeysPressIt) {
  AddCard("eth0", 7);
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  Open();
  EXPECT_EQ(Focus(), FirstPageBeginButton()) << "not the close button";
  Press(VK_TAB);
  EXPECT_EQ(Focus(), FirstPageBeginButton()) << "the × is no stop of the cycle";
  Press(VK_RETURN);
  EXPECT_EQ(Page(), WaitingForDevice);
  EXPECT_EQ(Focus(), nullptr) << "the waiting page has nothing to press";
  Press(VK_RETURN);
  EXPECT_EQ(Page(), WaitingForDevice);

  Press(VK_ESCAPE);
  EXPECT_EQ(Page(), ConfirmExit);
  EXPECT_EQ(FocusName(), L"cancel_exit_btn") << "never on the button that leaves";
  // The ring: a blue line inside the white cancel, a light one inside the blue confirm.
  const int cancelRinged = RingRed(L"cancel_exit_btn"), confirmPlain = RingRed(L"confirm_exit_btn");
  Press(VK_TAB);
  EXPECT_EQ(FocusName(), L"confirm_exit_btn");
  EXPECT_GT(RingRed(L"cancel_exit_btn"), cancelRinged + 100);
  EXPECT_GT(RingRed(L"confirm_exit_btn"), confirmPlain + 80);
  Press(VK_TAB);
  EXPECT_EQ(FocusName(), L"cancel_exit_btn") << "the cycle wraps";
  ShiftTab();
  EXPECT_EQ(FocusName(), L"confirm_exit_btn");
  ShiftTab();
  EXPECT_EQ(FocusName(), L"cancel_exit_btn");
  Press(VK_SPACE);
  EXPECT_EQ(Page(), WaitingForDevice) << "Space pressed the cancel";
  Press(VK_ESCAPE);
  // A held Escape repeats: the question stays instead of coming and going.
  host_.KeyDown(VK_ESCAPE);
  host_.KeyDown(VK_ESCAPE);
  host_.KeyUp(VK_ESCAPE);
  Pump();
  EXPECT_EQ(Page(), WaitingForDevice) << "the held key's first press took the question back, its repeat nothing";
  Press(VK_ESCAPE);
  EXPECT_EQ(Page(), ConfirmExit);
  Press(VK_ESCAPE);
  EXPECT_EQ(Page(), WaitingForDevice) << "Escape on the question is its cancel";

  Finish();
  ASSERT_EQ(Page(), Finished);
  EXPECT_EQ(FocusName(), L"exit_btn");
  EXPECT_EQ(CountOf(journal_, "restore"), 0);
  Press(VK_RETURN);
  EXPECT_FALSE(host_.IsHostWindow(hwnd_));
  EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
}

TEST_F(RepairWindowKeysTest, TheFailurePageStartsOnRetry) {
  AddCard("eth0", 7);
  Open();
  Press(VK_SPACE);
  ASSERT_EQ(Page(), Failed);
  EXPECT_EQ(FocusName(), L"repair_retry");
  firmware_.Write("upgradeimage.bin", PatternBytes(3000));
  Press(VK_RETURN);
  EXPECT_EQ(Page(), WaitingForDevice);
}

// Every close on every page: on the start, failure and finished pages it
// leaves at once; while the box is awaited, downloading or finishing the
// question comes first and the card keeps the repair address until the
// answer. Leaving gives the card back exactly when it had been changed.
TEST_F(RepairWindowKeysTest, EveryCloseOnEveryPageAsksExactlyWhileTheBoxIsBeingChanged) {
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  const std::vector<Way> ways = {
      {"the ×", [this] { Click(L"close"); }},
      {"Alt+F4",
       [this] {
         host_.PressKeys({VK_MENU, VK_F4});
         Pump();
       }},
      {"the taskbar",
       [this] {
         host_.PostMessage(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
         Pump();
       }},
      {"Escape", [this] { Press(VK_ESCAPE); }},
  };
  struct PageCase {
    const char* name;
    bool firmware;
    std::function<void()> reach;
    int page;
    bool asks;
  };
  const std::vector<PageCase> pages = {
      {"start", true, [] {}, Start, false},
      {"failure", false, [this] { Click(FirstPageBeginButton()); }, Failed, false},
      {"waiting", true, [this] { Click(FirstPageBeginButton()); }, WaitingForDevice, true},
      {"downloading", true,
       [this] {
         Click(FirstPageBeginButton());
         Report(512);
         Report(1000);
       },
       Downloading, true},
      {"finishing", true,
       [this] {
         Click(FirstPageBeginButton());
         Report(512);
         Report(3000);
       },
       Downloading, true},
      {"finished", true,
       [this] {
         Click(FirstPageBeginButton());
         Finish();
       },
       Finished, false},
  };
  AddCard("eth0", 7);
  for (const PageCase& page : pages) {
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(way.name) + " on the " + page.name + " page");
      Reopen(page.firmware);
      page.reach();
      ASSERT_EQ(Page(), page.page);
      const bool changed = CountOf(journal_, "give 7") == 1;
      way.close();
      if (!page.asks) {
        EXPECT_FALSE(host_.IsHostWindow(hwnd_)) << "left at once";
        EXPECT_EQ(host_.LastQuit(), 0);
        EXPECT_EQ(CountOf(journal_, "restore 7"), changed ? 1 : 0);
        continue;
      }
      ASSERT_TRUE(host_.IsHostWindow(hwnd_));
      EXPECT_EQ(Page(), ConfirmExit);
      EXPECT_TRUE(window_->Workflow().CardHasRepairAddress());
      EXPECT_EQ(CountOf(journal_, "restore"), 0);
      Click(L"confirm_exit_btn");
      EXPECT_FALSE(host_.IsHostWindow(hwnd_));
      EXPECT_EQ(CountOf(journal_, "restore 7"), 1);
      EXPECT_FALSE(window_->Workflow().Server().running());
    }
  }
}

// A second start rings for the running window, which comes back from the
// task bar to the front; its own notice is our skinned window, so the
// Chinese is drawn with our fonts (the frame goes to the artifacts).
TEST_F(RepairWindowKeysTest, ASecondStartRaisesTheWindowAndNoticesInASkinnedWindow) {
  Open();
  host_.ShowHostWindow(hwnd_, SW_MINIMIZE);
  Pump();
  ASSERT_TRUE(host_.IsMinimized(hwnd_));
  host_.PostMessage(hwnd_, WM_REPAIR_RAISE, 0, 0);
  Pump();
  EXPECT_FALSE(host_.IsMinimized(hwnd_));
  EXPECT_EQ(host_.GetActiveWindow(), hwnd_);

  for (const int key : {VK_RETURN, VK_ESCAPE}) {
    NoticeWindow notice(L"提示", L"实例已经在运行中");
    const zui::WindowHandle box = notice.Create(nullptr, L"提示", WS_POPUP | WS_VISIBLE, WS_EX_WINDOWEDGE);
    ASSERT_NE(box, nullptr);
    notice.CenterWindow();
    notice.ShowWindow(true, true);
    Pump();
    zui::CPaintManagerUI& manager = notice.GetPaintManager();
    EXPECT_EQ(manager.FindControl(L"notice_title")->GetText(), L"提示");
    EXPECT_EQ(manager.FindControl(L"notice_text")->GetText(), L"实例已经在运行中");
    ASSERT_NE(manager.GetFocus(), nullptr);
    EXPECT_EQ(manager.GetFocus()->GetName(), L"notice_ok");
    if (key == VK_RETURN) SaveFrame(box, "second_instance_notice");
    host_.PressKey(key);
    Pump();
    EXPECT_FALSE(host_.IsHostWindow(box)) << key;
    EXPECT_EQ(host_.LastQuit(), 0) << "the notice ends its loop";
  }
}

}  // namespace
}  // namespace zapp::testing
