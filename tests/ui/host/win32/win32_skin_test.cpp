// A skin built through the paint manager on a real window: its Chinese text
// reaches the screen, and a real click on its button becomes "click".

#include <gtest/gtest.h>

#include <vector>

#include "win32_test_support.h"
#include "win32_skin_window.h"
#include "ui/base/notify.h"
#include "ui/controls/control.h"

namespace ztest {
namespace {

struct NotifyLog : zui::INotifyUI {
  std::vector<std::pair<std::wstring, std::wstring>> seen;  // type, sender name
  void Notify(zui::NotifyRecord& msg) override {
    seen.emplace_back(msg.type, msg.sender != nullptr ? msg.sender->GetName() : std::wstring());
  }
  bool Saw(const std::wstring& type, const std::wstring& sender) const {
    for (const auto& s : seen)
      if (s.first == type && s.second == sender) return true;
    return false;
  }
};

// Pixels of `area` that are clearly darker than the white background.
int InkPixels(const zui::Bitmap& frame, const zui::Rect& area) {
  int ink = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if ((frame.at(x, y) & 0xFF) < 0x80) ++ink;
  return ink;
}

constexpr const wchar_t* kSkin =
    L"<Window size=\"240,120\">"
    L"<Font id=\"0\" name=\"微软雅黑\" size=\"16\" default=\"true\"/>"
    L"<Container bkcolor=\"#FFFFFFFF\">"
    L"<Label name=\"running\" float=\"true\" pos=\"10,10,230,50\" text=\"实例已经在运行中\""
    L" textcolor=\"#FF000000\"/>"
    L"<Button name=\"go\" float=\"true\" pos=\"60,70,180,110\" bkcolor=\"#FF2060C0\" text=\"OK\""
    L" textcolor=\"#FFFFFFFF\"/>"
    L"</Container></Window>";

TEST(Win32SkinTest, ChineseLabelAndButtonAreOnTheScreen) {
  Win32SkinWindow window({100, 560, 340, 680});
  ASSERT_TRUE(window.Load(kSkin));
  const zui::Bitmap shown = window.ShowAndGrab();
  const std::string path = SaveArtifact(shown, "win32_skin_chinese");
  EXPECT_FALSE(path.empty());
  ASSERT_EQ(shown.width(), 240);
  ASSERT_EQ(shown.height(), 120);

  // Eight glyphs of 16 pixels leave a good deal of ink in the label's band,
  // and none outside the controls.
  const int ink = InkPixels(shown, {10, 10, 230, 50});
  EXPECT_GT(ink, 150) << path;
  EXPECT_EQ(InkPixels(shown, {0, 52, 50, 120}), 0);
  // The button's fill, where its text is not.
  EXPECT_EQ(shown.at(64, 74) & 0xFFFFFF, 0x2060C0u);
  EXPECT_EQ(shown.at(5, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Win32SkinTest, RealClickOnTheButtonNotifiesClick) {
  Win32SkinWindow window({400, 560, 640, 680});
  ASSERT_TRUE(window.Load(kSkin));
  NotifyLog log;
  window.Manager().AddNotifier(&log);
  window.ShowAndGrab();
  ASSERT_TRUE(log.Saw(L"windowinit", L""));

  RealClick(window.Host().ClientToScreen(window.Handle(), {120, 90}));
  EXPECT_TRUE(window.PumpUntil([&] { return log.Saw(L"click", L"go"); })) << "no click from the button";
  // A click on the label is no button click.
  RealClick(window.Host().ClientToScreen(window.Handle(), {30, 30}));
  window.PumpUntil([] { return false; }, 200);
  int clicks = 0;
  for (const auto& s : log.seen) clicks += s.first == L"click" ? 1 : 0;
  EXPECT_EQ(clicks, 1);
  window.Manager().RemoveNotifier(&log);
}

}  // namespace
}  // namespace ztest
