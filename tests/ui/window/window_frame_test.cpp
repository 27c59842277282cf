// The skinned window's frame: size box and caption hit-testing, size limits,
// the round-corner region and the system commands.

#include "window_test_support.h"

#include "ui/controls/control.h"

namespace ztest {
namespace {

using zui::Point;
using zui::Rect;

class WindowFrameTest : public WindowTest {};

const std::wstring kProgramFrame =
    L"size=\"484,306\" sizebox=\"4,4,4,4\" caption=\"0,0,0,40\" roundcorner=\"5,5\" mininfo=\"484,306\""
    L" maxinfo=\"484,306\"";

Point Centre(const zui::CControlUI* control) {
  const Rect& r = control->GetPos();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(WindowFrameTest, SizeBoxBandsAnswerTheSizingCodes) {
  SkinWindow& w = Open(FramedSkin(kProgramFrame));
  ASSERT_EQ(host_.GetClientRect(w.GetHWND()), (Rect{0, 0, 484, 306}));
  EXPECT_EQ(HitTest(w, {0, 0}), HTTOPLEFT);
  EXPECT_EQ(HitTest(w, {3, 3}), HTTOPLEFT);
  EXPECT_EQ(HitTest(w, {483, 2}), HTTOPRIGHT);
  EXPECT_EQ(HitTest(w, {200, 3}), HTTOP);
  EXPECT_EQ(HitTest(w, {1, 305}), HTBOTTOMLEFT);
  EXPECT_EQ(HitTest(w, {483, 305}), HTBOTTOMRIGHT);
  EXPECT_EQ(HitTest(w, {200, 305}), HTBOTTOM);
  EXPECT_EQ(HitTest(w, {0, 150}), HTLEFT);
  EXPECT_EQ(HitTest(w, {483, 150}), HTRIGHT);
  EXPECT_EQ(HitTest(w, {200, 150}), HTCLIENT);

  // The sizing cursors show although min and max info pin the size.
  host_.MoveMouse(w.GetHWND(), {1, 150});
  Pump();
  EXPECT_EQ(host_.Cursor(), zui::kCursorSizeWE);
  host_.MoveMouse(w.GetHWND(), {483, 305});
  Pump();
  EXPECT_EQ(host_.Cursor(), zui::kCursorSizeNWSE);
}

TEST_F(WindowFrameTest, CaptionDragsOverLabelsAndLayoutsButNotOverButtons) {
  SkinWindow& w = Open(FramedSkin(kProgramFrame));
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"title"))), HTCAPTION);
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"filler"))), HTCAPTION) << "a plain control in a layout";
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"closebtn"))), HTCLIENT);
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"minbtn"))), HTCLIENT);
  EXPECT_EQ(HitTest(w, {200, 40}), HTCLIENT) << "the caption band ends above y 40";
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"body"))), HTCLIENT);
  EXPECT_FALSE(w.IsInStaticControl(nullptr)) << "no control: nothing to drag by";

  // A press on the label starts a window move; one on a button does not.
  host_.ClickLeft(w.GetHWND(), Centre(w.Find(L"title")));
  Pump();
  EXPECT_EQ(host_.CaptionDragCount(), 1);
  host_.ClickLeft(w.GetHWND(), Centre(w.Find(L"minbtn")));
  Pump();
  EXPECT_EQ(host_.CaptionDragCount(), 1);
}

TEST_F(WindowFrameTest, CaptionSidesAreInsetAndANegativeBottomReachesTheClientBottom) {
  SkinWindow& w = Open(L"<Window size=\"300,200\" caption=\"10,0,30,-1\">"
                       L"<VerticalLayout><Label name=\"all\"/>"
                       L"<Button name=\"lone\" float=\"true\" pos=\"100,100,150,150\"/></VerticalLayout>"
                       L"</Window>");
  EXPECT_EQ(HitTest(w, {50, 190}), HTCAPTION);
  EXPECT_EQ(HitTest(w, {125, 125}), HTCLIENT) << "a button anywhere in the band";
  EXPECT_EQ(HitTest(w, {9, 50}), HTCLIENT) << "left of the caption's left inset";
  EXPECT_EQ(HitTest(w, {269, 50}), HTCAPTION);
  EXPECT_EQ(HitTest(w, {270, 50}), HTCLIENT) << "inside the caption's right inset";
}

TEST_F(WindowFrameTest, MaximisedWindowHasNoSizeBands) {
  SkinWindow& w = Open(FramedSkin(L"size=\"484,306\" sizebox=\"4,4,4,4\" caption=\"0,0,0,40\""));
  ASSERT_EQ(HitTest(w, {483, 150}), HTRIGHT);
  w.SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Pump();
  ASSERT_TRUE(host_.IsMaximized(w.GetHWND()));
  const Rect client = host_.GetClientRect(w.GetHWND());
  EXPECT_EQ(client, (Rect{0, 0, 1920, 1040})) << "the work area";
  EXPECT_EQ(HitTest(w, {client.right - 1, 150}), HTCLIENT);
  EXPECT_EQ(HitTest(w, {1, 1}), HTCAPTION) << "the title label reaches the corner";
  EXPECT_EQ(HitTest(w, Centre(w.Find(L"closebtn"))), HTCLIENT);
}

TEST_F(WindowFrameTest, MinMaxInfoTakesTheWorkAreaAndTheSkinsLimits) {
  SkinWindow& pinned = Open(FramedSkin(kProgramFrame));
  zui::MinMaxInfo info;
  pinned.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<zui::LPARAM_T>(&info));
  EXPECT_EQ(info.maxPosition, (Point{0, 0}));
  EXPECT_EQ(info.maxSize, (Point{1920, 1040}));
  EXPECT_EQ(info.maxTrackSize, (Point{484, 306}));
  EXPECT_EQ(info.minTrackSize, (Point{484, 306}));

  host_.DestroyHostWindow(pinned.GetHWND());
  SkinWindow& free = Open(FramedSkin(L"size=\"300,200\" maxinfo=\"0,700\""));
  // A second monitor right of the primary one, its task bar at the top.
  host_.SetMonitorArea({{1920, 0, 3200, 1024}, {1920, 40, 3200, 1024}, false});
  info = zui::MinMaxInfo{};
  free.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<zui::LPARAM_T>(&info));
  EXPECT_EQ(info.maxPosition, (Point{0, 40})) << "relative to the monitor's origin";
  EXPECT_EQ(info.maxSize, (Point{1280, 984}));
  EXPECT_EQ(info.maxTrackSize, (Point{1280, 700})) << "each coordinate on its own";
  EXPECT_EQ(info.minTrackSize, (Point{0, 0}));
}

TEST_F(WindowFrameTest, RoundCornerRegionFollowsTheSizeButNotAMinimise) {
  SkinWindow& w = Open(FramedSkin(kProgramFrame));
  zui::HeadlessHost::RoundRegion region = host_.Region(w.GetHWND());
  ASSERT_TRUE(region.set);
  EXPECT_EQ(region.rect, (Rect{0, 0, 485, 307}));
  EXPECT_EQ(region.ellipse, (zui::Size{5, 5}));

  host_.MoveHostWindow(w.GetHWND(), {100, 100, 400, 300}, true);
  EXPECT_EQ(host_.Region(w.GetHWND()).rect, (Rect{0, 0, 301, 201}));

  host_.SetRoundRegion(w.GetHWND(), nullptr, {});
  w.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(host_.IsMinimized(w.GetHWND()));
  EXPECT_FALSE(host_.Region(w.GetHWND()).set);
  w.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(host_.Region(w.GetHWND()).set);
  EXPECT_EQ(host_.Region(w.GetHWND()).rect, (Rect{0, 0, 301, 201}));
}

TEST_F(WindowFrameTest, SystemCloseAndAltF4BecomeWmClose) {
  SkinWindow& w = Open(FramedSkin(kProgramFrame));
  EXPECT_EQ(w.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0), 0);
  EXPECT_EQ(w.closes, (std::vector<zui::WPARAM_T>{0}));
  EXPECT_EQ(w.GetHWND(), nullptr) << "not refused, so the window is gone";
  EXPECT_EQ(w.finals, 1);

  SkinWindow& other = Open(FramedSkin(kProgramFrame));
  ASSERT_EQ(host_.GetFocus(), other.GetHWND());
  host_.PressKeys({VK_MENU, VK_F4});
  Pump();
  EXPECT_EQ(other.closes, (std::vector<zui::WPARAM_T>{0}));
  EXPECT_EQ(other.GetHWND(), nullptr);
}

TEST_F(WindowFrameTest, MaxAndRestoreButtonsSwapWithTheMaximisedState) {
  SkinWindow& w = Open(FramedSkin(L"size=\"484,306\" caption=\"0,0,0,40\""));
  zui::CControlUI* max = w.Find(L"maxbtn");
  zui::CControlUI* restore = w.Find(L"restorebtn");
  host_.ClickLeft(w.GetHWND(), Centre(max));
  Pump();
  ASSERT_TRUE(host_.IsMaximized(w.GetHWND()));
  EXPECT_FALSE(max->IsVisible());
  EXPECT_TRUE(restore->IsVisible());

  host_.ClickLeft(w.GetHWND(), Centre(restore));
  Pump();
  ASSERT_FALSE(host_.IsMaximized(w.GetHWND()));
  EXPECT_TRUE(max->IsVisible());
  EXPECT_FALSE(restore->IsVisible());

  host_.ClickLeft(w.GetHWND(), Centre(w.Find(L"minbtn")));
  Pump();
  EXPECT_TRUE(host_.IsMinimized(w.GetHWND()));
}

TEST_F(WindowFrameTest, NonClientMessagesAreAnsweredByTheBase) {
  SkinWindow& w = Open(FramedSkin(kProgramFrame));
  EXPECT_EQ(w.SendMessage(WM_NCACTIVATE, 0, 0), 1);
  EXPECT_EQ(w.SendMessage(WM_NCACTIVATE, 1, 0), 0) << "no native frame to draw active";
  EXPECT_EQ(w.SendMessage(WM_NCCALCSIZE, 0, 0), 0);
  EXPECT_EQ(w.SendMessage(WM_NCPAINT, 0, 0), 0);
  w.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  const size_t before = w.custom.size();
  w.SendMessage(WM_NCACTIVATE, 1, 0);
  ASSERT_EQ(w.custom.size(), before + 1) << "minimised, it goes on to the later stages";
  EXPECT_EQ(w.custom.back(), static_cast<uint32_t>(WM_NCACTIVATE));
}

}  // namespace
}  // namespace ztest
