// The card chooser, run modally from the repair window's start: its rows,
// the check mark that follows the last click, and what it answers.

#include "app/repair/choose_net_card.h"
#include "tests/app/repair_window_test_support.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/list/list.h"

namespace zapp::testing {
namespace {

class ChooseNetCardTest : public RepairWindowTest {
 protected:
  void SetUp() override {
    RepairWindowTest::SetUp();
    AddCard("eth0", 11, L"Realtek PCIe GbE 家庭版");
    AddCard("eth1", 22, L"Intel(R) Ethernet I219-V");
    AddCard("eth2", 33, L"USB 以太网适配器");
    firmware_.Write("upgradeimage.bin", ztftp::testing::PatternBytes(100));
    Open();
  }
  // Runs the start with `drive` called on each idle turn of the chooser's
  // modal loop until it closes.
  void StartWith(std::function<void(ChooseNetCard&)> drive) {
    host_.SetIdleHandler([this, drive] {
      zui::WindowHandle active = host_.GetActiveWindow();
      auto* chooser = dynamic_cast<ChooseNetCard*>(static_cast<zui::CWindowWnd*>(host_.GetUserData(active)));
      if (chooser == nullptr || active == hwnd_) return;
      chooserWindow_ = active;
      drive(*chooser);
    });
    host_.ClickLeft(hwnd_, Centre(FirstPageBeginButton()));
    Pump();
    host_.SetIdleHandler({});
  }
  static zui::Point Centre(zui::CControlUI* control) {
    const zui::Rect& r = control->GetPos();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static std::vector<bool> Shown(const ChooseNetCard& chooser) {
    std::vector<bool> shown;
    for (size_t i = 0; i < chooser.CheckMarks().size(); ++i) {
      shown.push_back(chooser.CheckMarks()[i]->IsVisible());
      EXPECT_EQ(chooser.CheckMarks()[i]->IsVisible(), chooser.SelectButtons()[i]->IsVisible()) << i;
    }
    return shown;
  }

  zui::WindowHandle chooserWindow_ = nullptr;
  int step_ = 0;
};

TEST_F(ChooseNetCardTest, RowsFollowTheCardsAndTheConfirmAnswersTheCardsIndex) {
  StartWith([this](ChooseNetCard& chooser) {
    zui::CListUI* list = chooser.NetList();
    switch (step_++) {
      case 0: {
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetCount(), 3);
        for (int k = 0; k < 3; ++k) {
          zui::CControlUI* row = list->GetItemAt(k);
          EXPECT_EQ(row->GetName(), L"netitem");
          EXPECT_EQ(row->GetTag(), uintptr_t(k));
          EXPECT_EQ(row->GetFixedHeight(), 44);
          EXPECT_EQ(chooser.SelectButtons()[k]->GetTag(), uintptr_t(11 * (k + 1)));
          EXPECT_EQ(chooser.SelectButtons()[k]->GetCursor(), zui::kCursorHand);
        }
        EXPECT_EQ(Shown(chooser), (std::vector<bool>{false, false, false}));
        EXPECT_EQ(host_.GetParent(chooserWindow_), hwnd_);
        EXPECT_FALSE(host_.IsEnabled(hwnd_)) << "the repair window waits";
        // Centred over the repair window by integer halves.
        const zui::Rect own = host_.GetWindowRect(hwnd_), r = host_.GetWindowRect(chooserWindow_);
        EXPECT_EQ(r.left, own.left + own.Width() / 2 - r.Width() / 2);
        EXPECT_EQ(r.top, own.top + own.Height() / 2 - r.Height() / 2);
        EXPECT_EQ(host_.GetStyle(chooserWindow_, true) & WS_EX_WINDOWEDGE, uint32_t(WS_EX_WINDOWEDGE));
        host_.ClickLeft(chooserWindow_, Centre(list->GetItemAt(2)));
        break;
      }
      case 1:
        EXPECT_EQ(Shown(chooser), (std::vector<bool>{false, false, true}));
        host_.ClickLeft(chooserWindow_, Centre(list->GetItemAt(0)));
        break;
      case 2:
        EXPECT_EQ(Shown(chooser), (std::vector<bool>{true, false, false}));
        host_.ClickLeft(chooserWindow_, Centre(list->GetItemAt(0)));  // deselects the row in the list
        break;
      case 3:
        EXPECT_EQ(Shown(chooser), (std::vector<bool>{true, false, false})) << "the mark stays";
        SaveFrame(chooserWindow_, "chooser");
        host_.ClickLeft(chooserWindow_, Centre(chooser.SelectButtons()[0]));
        break;
      default: chooser.Close(0);  // a step went wrong: end the loop
    }
  });
  EXPECT_EQ(step_, 4);
  EXPECT_EQ(window_->Workflow().SelectedIndex(), 11u) << "the card's index, not the row";
  EXPECT_EQ(Page(), WaitingForDevice);
  EXPECT_TRUE(host_.IsEnabled(hwnd_));
  EXPECT_FALSE(host_.IsHostWindow(chooserWindow_));
  EXPECT_EQ(journal_.back(), "keep 11");
}

TEST_F(ChooseNetCardTest, EscapeDoesNotCloseItAndCloseAnswersNothing) {
  StartWith([this](ChooseNetCard& chooser) {
    switch (step_++) {
      case 0: host_.PressKey(VK_ESCAPE); break;
      case 1:
        EXPECT_TRUE(host_.IsHostWindow(chooserWindow_)) << "Escape is no close";
        host_.ClickLeft(chooserWindow_, Centre(chooser.GetPaintManager().FindControl(L"close")));
        break;
      default: chooser.Close(0);
    }
  });
  EXPECT_EQ(step_, 2);
  EXPECT_FALSE(host_.IsHostWindow(chooserWindow_));
  EXPECT_EQ(window_->Workflow().SelectedIndex(), 0u);
  EXPECT_EQ(Page(), Start) << "no page switch";
  EXPECT_TRUE(journal_.empty());
  EXPECT_FALSE(window_->Workflow().Server().running());
}

TEST_F(ChooseNetCardTest, TheSystemCloseOfTheChooserAnswersNothing) {
  StartWith([this](ChooseNetCard& chooser) {
    if (step_++ == 0) {
      chooser.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
    } else {
      chooser.Close(0);
    }
  });
  EXPECT_EQ(window_->Workflow().SelectedIndex(), 0u);
  EXPECT_EQ(Page(), Start);
}

}  // namespace
}  // namespace zapp::testing
