// Buttons driven through a real headless window: state images, the click
// rules, keyboard activation, disabled state, state-image columns, bound
// pages and rich events.

#include <array>

#include <gtest/gtest.h>

#include "leaf_window.h"
#include "ui/controls/button.h"
#include "ui/controls/page_selector.h"
#include "ui/layout/container.h"

namespace ztest {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kGrey = 0xFF808080;
constexpr zui::Point kInside{50, 25}, kOutside{150, 80};

class ButtonTest : public LeafWindowTest {
 protected:
  void SetUp() override {
    LeafWindowTest::SetUp();
    WriteSolid("normal", 8, 8, kRed);
    WriteSolid("hot", 8, 8, kGreen);
    WriteSolid("pushed", 8, 8, kBlue);
    WriteSolid("disabled", 8, 8, kGrey);
  }
  // One button at 10,10,90,40 with `attributes`, over a white window.
  zui::CButtonUI* ShowButton(const std::wstring& attributes, const std::wstring& head = {}) {
    Show(L"<Window size=\"200,100\">" + head +
         L"<Container bkcolor=\"#FFFFFFFF\">"
         L"<Button name=\"b\" float=\"true\" pos=\"10,10,90,40\" " +
         attributes +
         L"/>"
         L"</Container></Window>");
    return Find<zui::CButtonUI>(L"b");
  }
  uint32_t Corner() { return Pump().at(12, 12); }
  // Whether the button's text shows `colour` over its current background.
  bool TextIn(uint32_t colour) {
    const uint32_t background = Corner();
    return HasTextColour(Pump(), {10, 10, 90, 40}, background, colour);
  }
};

TEST_F(ButtonTest, PushedWithoutPushedImageShowsTheNormalOneNotTheHotOne) {
  ASSERT_NE(ShowButton(L"style=\"b\"", L"<Style name=\"b\" value=\"normalimage=&quot;img\\normal.png&quot;"
                                       L" hotimage=&quot;img\\hot.png&quot;"
                                       L" disabledimage=&quot;img\\disabled.png&quot;\"/>"),
            nullptr);
  EXPECT_EQ(Corner(), kRed);
  Host().MoveMouse(Handle(), kInside);
  EXPECT_EQ(Corner(), kGreen);
  Host().PressLeft(Handle(), kInside);
  EXPECT_EQ(Corner(), kRed);
  Host().ReleaseLeft(Handle(), kInside);
  EXPECT_EQ(Corner(), kGreen);
  Host().MoveMouse(Handle(), kOutside);
  EXPECT_EQ(Corner(), kRed);
}

TEST_F(ButtonTest, ReleaseOutsideSendsNoClickComingBackInsideDoes) {
  zui::CButtonUI* button =
      ShowButton(L"normalimage=\"img\\normal.png\" pushedimage=\"img\\pushed.png\" hotimage=\"img\\hot.png\"");
  ASSERT_NE(button, nullptr);
  Host().MoveMouse(Handle(), kInside);
  Host().PressLeft(Handle(), kInside);
  EXPECT_EQ(Corner(), kBlue);
  Host().MoveMouse(Handle(), kOutside);
  EXPECT_EQ(Corner(), kGreen);  // no longer pushed; hot stays while the press holds the mouse
  Host().ReleaseLeft(Handle(), kOutside);
  Pump();
  EXPECT_EQ(Count(L"click"), 0);
  EXPECT_EQ(button->GetButtonState() & (zui::kButtonPushed | zui::kButtonCaptured), 0u);

  Host().MoveMouse(Handle(), kInside);
  Host().PressLeft(Handle(), kInside);
  Host().MoveMouse(Handle(), kOutside);
  Host().MoveMouse(Handle(), kInside);
  EXPECT_EQ(Corner(), kBlue);
  Host().ReleaseLeft(Handle(), kInside);
  Pump();
  ASSERT_EQ(Count(L"click"), 1);
  for (const auto& n : notes_)
    if (n.type == L"click") {
      EXPECT_EQ(n.sender, button);
    }
}

TEST_F(ButtonTest, SpaceAndReturnActivateTheFocusedButton) {
  zui::CButtonUI* button = ShowButton(L"text=\"ok\"");
  ASSERT_NE(button, nullptr);
  button->SetFocus();
  Host().PressKey(VK_SPACE);
  Host().PressKey(VK_RETURN);
  Host().PressKey('A');
  Pump();
  EXPECT_EQ(Count(L"click"), 2);
  button->SetKeyboardEnabled(false);
  Host().PressKey(VK_SPACE);
  Pump();
  EXPECT_EQ(Count(L"click"), 2);
}

TEST_F(ButtonTest, DisabledDrawsItsImageAndTextColourIgnoresClicksAndRecovers) {
  zui::CButtonUI* button =
      ShowButton(L"enabled=\"false\" text=\"HIH\" textcolor=\"#FFFFFFFF\" disabledtextcolor=\"#FF00FFFF\""
                 L" normalimage=\"img\\normal.png\" hotimage=\"img\\hot.png\" disabledimage=\"img\\disabled.png\"");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Corner(), kGrey);
  EXPECT_TRUE(TextIn(0xFF00FFFF));
  EXPECT_FALSE(TextIn(0xFFFFFFFF));
  Host().MoveMouse(Handle(), kInside);
  Host().ClickLeft(Handle(), kInside);
  Pump();
  EXPECT_EQ(Count(L"click"), 0);
  EXPECT_EQ(Corner(), kGrey);
  EXPECT_EQ(button->GetButtonState(), unsigned{zui::kButtonDisabled});

  button->SetEnabled(true);
  EXPECT_EQ(button->GetButtonState(), 0u);
  EXPECT_EQ(Corner(), kRed);
  EXPECT_TRUE(TextIn(0xFFFFFFFF));
  EXPECT_FALSE(TextIn(0xFF00FFFF));
  Host().MoveMouse(Handle(), {51, 26});
  Host().ClickLeft(Handle(), {51, 26});
  Pump();
  EXPECT_EQ(Count(L"click"), 1);
}

TEST_F(ButtonTest, StateImageColumnsGiveTheStateImages) {
  WriteImage("four", 16, 4, [](int x, int) { return std::array<uint32_t, 4>{kRed, kGreen, kBlue, kGrey}[x / 4]; });
  WriteImage("two", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
  Show(L"<Window size=\"200,100\"><Container bkcolor=\"#FFFFFFFF\">"
       L"<Button name=\"four\" float=\"true\" pos=\"10,10,90,40\" stateimage=\"img\\four.png\" statecount=\"4\"/>"
       L"<Button name=\"two\" float=\"true\" pos=\"110,10,190,40\" stateimage=\"file='img\\two.png'\""
       L" statecount=\"2\"/>"
       L"<Button name=\"many\" float=\"true\" pos=\"10,60,90,90\" stateimage=\"img\\two.png\" statecount=\"50\"/>"
       L"</Container></Window>");
  EXPECT_EQ(Corner(), kRed);
  EXPECT_EQ(Pump().at(112, 12), kRed);
  Host().MoveMouse(Handle(), kInside);
  EXPECT_EQ(Corner(), kGreen);
  Host().PressLeft(Handle(), kInside);
  EXPECT_EQ(Corner(), kBlue);
  Host().ReleaseLeft(Handle(), kInside);
  Find<zui::CButtonUI>(L"four")->SetEnabled(false);
  EXPECT_EQ(Corner(), kGrey);

  // Two columns: pushed looks like hot.
  Host().MoveMouse(Handle(), {150, 25});
  EXPECT_EQ(Pump().at(112, 12), kGreen);
  Host().PressLeft(Handle(), {150, 25});
  EXPECT_EQ(Pump().at(112, 12), kGreen);
  Host().ReleaseLeft(Handle(), {150, 25});

  // More columns than pixels: one pixel wide each, still drawn.
  EXPECT_EQ(Find<zui::CButtonUI>(L"many")->GetNormalImage(), L"file='img\\two.png' source='0,0,1,4'");
  EXPECT_EQ(Pump().at(12, 62), kRed);
}

TEST_F(ButtonTest, StateColoursAndTextColoursFollowTheState) {
  zui::CButtonUI* button =
      ShowButton(L"bkcolor=\"#FF101010\" hotbkcolor=\"#FF202020\" pushedbkcolor=\"#FF303030\" text=\"HIH\""
                 L" textcolor=\"#FFFFFFFF\" hottextcolor=\"#FFFFFF00\" pushedtextcolor=\"#FF00FFFF\"");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Corner(), 0xFF101010u);
  EXPECT_TRUE(TextIn(0xFFFFFFFF));
  Host().MoveMouse(Handle(), kInside);
  EXPECT_EQ(Corner(), 0xFF202020u);
  EXPECT_TRUE(TextIn(0xFFFFFF00));
  Host().PressLeft(Handle(), kInside);
  EXPECT_EQ(Corner(), 0xFF303030u);
  EXPECT_TRUE(TextIn(0xFF00FFFF));
  EXPECT_FALSE(TextIn(0xFFFFFF00));
  Host().ReleaseLeft(Handle(), kInside);
}

// A page selector of our own, to see what a bound button asks of it.
class Pages : public zui::CContainerUI, public zui::IPageSelectorUI {
 public:
  bool SelectItem(int index) override {
    selected.push_back(index);
    return index < 3;
  }
  std::vector<int> selected;
};

TEST_F(ButtonTest, BoundButtonSelectsItsPageAfterTheClick) {
  zui::CButtonUI* button = ShowButton(L"bindtabindex=\"2\" bindtablayoutname=\"pages\"");
  auto* pages = new Pages;
  pages->SetName(L"pages");
  ASSERT_TRUE(dynamic_cast<zui::CContainerUI*>(Manager().GetRoot())->Add(pages));
  Host().MoveMouse(Handle(), kInside);
  Host().ClickLeft(Handle(), kInside);
  Pump();
  EXPECT_EQ(pages->selected, std::vector<int>{2});
  EXPECT_EQ(Count(L"click"), 1);

  // A name that finds nothing, or a control that is no selector: only the click.
  button->BindTabLayoutName(L"b");
  EXPECT_TRUE(button->Activate());
  button->SetVisible(false);
  EXPECT_FALSE(button->Activate());
  EXPECT_EQ(Count(L"click"), 2);
  EXPECT_EQ(pages->selected.size(), 1u);
}

TEST_F(ButtonTest, RichEventsReportPressEnterAndLeave) {
  ASSERT_NE(ShowButton(L"richevent=\"true\""), nullptr);
  Host().MoveMouse(Handle(), kInside);
  Host().ClickLeft(Handle(), kInside);
  Host().MoveMouse(Handle(), kOutside);
  Pump();
  std::vector<std::wstring> seen;
  for (const std::wstring& t : Types())
    if (t == L"mouseenter" || t == L"buttondown" || t == L"click" || t == L"mouseleave") seen.push_back(t);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"mouseenter", L"buttondown", L"click", L"mouseleave"}));
}

TEST_F(ButtonTest, ClickHandlerThatDestroysTheButtonIsSafe) {
  zui::CButtonUI* button = ShowButton(L"bindtabindex=\"0\" bindtablayoutname=\"pages\"");
  auto* pages = new Pages;
  pages->SetName(L"pages");
  auto* root = dynamic_cast<zui::CContainerUI*>(Manager().GetRoot());
  root->Add(pages);
  button->OnNotify.Add([root, button](zui::NotifyRecord& n) {
    if (n.type == L"click") root->Remove(button);
    return true;
  });
  Host().MoveMouse(Handle(), kInside);
  Host().ClickLeft(Handle(), kInside);
  Pump();
  EXPECT_EQ(Manager().FindControl(L"b"), nullptr);
  EXPECT_EQ(pages->selected, std::vector<int>{0});
}

}  // namespace
}  // namespace ztest
