// The skinned window's life: the skin built at creation, the order in which
// a message meets its handlers, the notify maps with the standard buttons,
// the default keys, a modal skinned window, and the missing skin.

#include "window_test_support.h"

#include <algorithm>
#include <cstdio>

#include "sys/text_encoding.h"
#include "ui/controls/control.h"
#include "ui/resources/native_resources.h"

namespace ztest {
namespace {

using zui::Point;
using zui::Rect;

class WindowImplBaseTest : public WindowTest {};

const std::wstring kSkin = FramedSkin(L"size=\"484,306\" caption=\"0,0,0,40\"");

Point Centre(const zui::CControlUI* control) {
  const Rect& r = control->GetPos();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(WindowImplBaseTest, CreationBuildsTheSkinDropsTheNativeCaptionAndInitialisesOnce) {
  SkinWindow& w = Open(kSkin);
  const zui::WindowHandle hwnd = w.GetHWND();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(w.inits, 1);
  ASSERT_NE(w.GetPaintManager().GetRoot(), nullptr);
  EXPECT_EQ(w.GetPaintManager().GetRoot()->GetName(), L"root");
  EXPECT_EQ(host_.GetUserData(hwnd), static_cast<zui::CWindowWnd*>(&w));
  EXPECT_EQ(host_.GetWindowRect(hwnd), (Rect{100, 100, 584, 406})) << "the skin's size";

  const uint32_t style = host_.GetStyle(hwnd, false);
  EXPECT_EQ(style & WS_CAPTION, 0u);
  EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), static_cast<uint32_t>(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  EXPECT_NE(style & WS_THICKFRAME, 0u) << "the rest of the style stays";
  zui::WindowClassDesc cls;
  ASSERT_TRUE(host_.GetClassInfo(L"ZuiTestSkinWindow", cls));
  EXPECT_EQ(cls.style, static_cast<uint32_t>(CS_DBLCLKS));
  EXPECT_NE(std::find(w.notes.begin(), w.notes.end(), L"windowinit:root"), w.notes.end())
      << "the window is the manager's notifier";
}

TEST_F(WindowImplBaseTest, MessagesGoToTheHandlerThenTheCustomHandlerThenTheManager) {
  SkinWindow& w = Open(kSkin);
  w.claimMessage = WM_USER + 1;
  EXPECT_EQ(w.SendMessage(WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(w.SendMessage(WM_USER + 2, 0, 0), 0) << "left to the default procedure";

  // Handled by its own handler: the custom handler never sees it.
  w.custom.clear();
  w.SendMessage(WM_NCHITTEST, 0, zui::MakeLParam(300, 300));
  EXPECT_TRUE(w.custom.empty());
  // Let go by its handler (WM_SIZE) it reaches the custom handler and then
  // the manager, which lays the tree out again.
  host_.MoveHostWindow(w.GetHWND(), {100, 100, 400, 300}, true);
  ASSERT_FALSE(w.custom.empty());
  EXPECT_EQ(w.custom.back(), static_cast<uint32_t>(WM_SIZE));
  Pump();
  EXPECT_EQ(w.GetPaintManager().GetRoot()->GetPos(), (Rect{0, 0, 300, 200}));

  // A custom handler that claims a message the manager would handle keeps
  // it from the manager.
  w.claimMessage = WM_ERASEBKGND;
  EXPECT_EQ(w.SendMessage(WM_ERASEBKGND, 0, 0), 42);
  w.claimMessage = 0;
  EXPECT_EQ(w.SendMessage(WM_ERASEBKGND, 0, 0), 1) << "the manager's answer";
}

TEST_F(WindowImplBaseTest, CloseButtonClosesWithResultOneAndTheFinalMessageLetsGo) {
  SkinWindow& w = Open(kSkin);
  zui::CPaintManagerUI& manager = w.GetPaintManager();
  const zui::WindowHandle hwnd = w.GetHWND();
  host_.ClickLeft(hwnd, Centre(w.Find(L"closebtn")));
  Pump();
  EXPECT_EQ(w.closes, (std::vector<zui::WPARAM_T>{1}));
  EXPECT_FALSE(host_.IsHostWindow(hwnd));
  EXPECT_EQ(w.finals, 1);
  EXPECT_EQ(w.GetHWND(), nullptr);

  // The manager no longer tells the window anything, nor asks it about keys.
  const size_t notes = w.notes.size();
  manager.SendNotify(manager.GetRoot(), L"click");
  EXPECT_EQ(w.notes.size(), notes);
  zui::LRESULT_T result = 0;
  manager.PreMessageHandler(WM_KEYDOWN, VK_ESCAPE, 0, result);
  EXPECT_TRUE(w.defaultKeys.empty());
}

// A window whose own map claims the close button and adds one entry of its
// own; every other click still reaches the standard buttons.
class MappedWindow : public SkinWindow {
 public:
  ZUI_DECLARE_NOTIFY_MAP();

 public:
  void OnCloseClick(zui::NotifyRecord& msg) { ++closeClicks; }
  void OnAnyTimer(zui::WPARAM_T wParam, zui::LPARAM_T) { timers.push_back(wParam); }
  int closeClicks = 0;
  std::vector<zui::WPARAM_T> timers;
};

ZUI_BEGIN_NOTIFY_MAP(MappedWindow, zui::WindowImplBase)
ZUI_ON_NOTIFY(L"click", L"closebtn", &MappedWindow::OnCloseClick)
ZUI_ON_NOTIFY_PARAMS(L"timer", L"", &MappedWindow::OnAnyTimer)
ZUI_END_NOTIFY_MAP()

TEST_F(WindowImplBaseTest, DerivedMapComesFirstAndFallsBackOnTheStandardButtons) {
  WriteSkin("main.xml", kSkin);
  windows_.push_back(std::make_unique<MappedWindow>());
  auto& w = static_cast<MappedWindow&>(*windows_.back());
  ASSERT_NE(w.Create(nullptr, L"mapped", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 100, 100, 0, 0), nullptr);
  Pump();
  host_.ClickLeft(w.GetHWND(), Centre(w.Find(L"closebtn")));
  Pump();
  EXPECT_EQ(w.closeClicks, 1);
  EXPECT_TRUE(w.closes.empty()) << "claimed, so not closed";

  w.GetPaintManager().SendNotify(w.Find(L"body"), L"timer", 9);
  EXPECT_EQ(w.timers, (std::vector<zui::WPARAM_T>{9}));

  host_.ClickLeft(w.GetHWND(), Centre(w.Find(L"minbtn")));
  Pump();
  EXPECT_TRUE(host_.IsMinimized(w.GetHWND())) << "the base map still answers";
}

TEST_F(WindowImplBaseTest, ReturnAndEscapeReachTheDefaultKeyResponseAndGoOn) {
  SkinWindow& w = Open(kSkin);
  ASSERT_EQ(host_.GetFocus(), w.GetHWND());
  // The first button took the focus at the first paint; Return would press it.
  w.GetPaintManager().SetFocus(nullptr);
  host_.PressKey(VK_ESCAPE);
  host_.PressKey(VK_RETURN);
  host_.PressKey('A');
  w.custom.clear();
  Pump();
  EXPECT_EQ(w.defaultKeys, (std::vector<zui::WPARAM_T>{VK_ESCAPE, VK_RETURN}));
  int keyDowns = 0;
  for (uint32_t m : w.custom) keyDowns += m == WM_KEYDOWN ? 1 : 0;
  EXPECT_EQ(keyDowns, 3) << "the filter does not consume the keys";
  EXPECT_TRUE(w.ResponseDefaultKeyEvent(VK_ESCAPE));
  EXPECT_FALSE(w.ResponseDefaultKeyEvent(VK_RETURN));
}

TEST_F(WindowImplBaseTest, ModalSkinnedWindowReturnsTheCloseButtonsResult) {
  SkinWindow& owner = Open(kSkin);
  WriteSkin("dialog.xml", FramedSkin(L"size=\"300,200\""));
  windows_.push_back(std::make_unique<SkinWindow>(L"dialog.xml"));
  SkinWindow& dialog = *windows_.back();
  ASSERT_NE(dialog.Create(owner.GetHWND(), L"dialog", WS_POPUP, 0, 0, 0, 0, 0), nullptr);
  dialog.CenterWindow();

  int step = 0;
  bool ownerDisabled = false;
  host_.SetIdleHandler([&] {
    switch (step++) {
      case 0:
        ownerDisabled = !host_.IsEnabled(owner.GetHWND());
        host_.PressKey(VK_ESCAPE);  // through the modal loop's pre-translation
        break;
      case 1: host_.ClickLeft(dialog.GetHWND(), Centre(dialog.Find(L"closebtn"))); break;
      default:
        host_.PostQuitMessage(99);  // only if the dialog failed to close
        break;
    }
  });
  const int result = dialog.ShowModal();
  host_.SetIdleHandler({});
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(dialog.defaultKeys, (std::vector<zui::WPARAM_T>{VK_ESCAPE}));
  EXPECT_TRUE(host_.IsEnabled(owner.GetHWND()));
  EXPECT_EQ(host_.GetFocus(), owner.GetHWND());
  EXPECT_EQ(dialog.GetHWND(), nullptr);
}

TEST_F(WindowImplBaseTest, SkinFromANumberedResourceWhenTheSkinHasAType) {
  class ResourceWindow : public SkinWindow {
   public:
    ResourceWindow() : SkinWindow(L"7") {}
    std::wstring GetSkinType() override { return L"XML"; }
  };
  const std::string doc = zsys::WideToUtf8(FramedSkin(L"size=\"200,120\""));
  zui::RegisterEmbeddedResource(L"XML", 7, doc.data(), doc.size());
  windows_.push_back(std::make_unique<ResourceWindow>());
  SkinWindow& w = *windows_.back();
  ASSERT_NE(w.Create(nullptr, L"resource", WS_POPUP, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(host_.GetClientRect(w.GetHWND()), (Rect{0, 0, 200, 120}));
  EXPECT_NE(w.Find(L"closebtn"), nullptr);
}

// Reports the message box in the output, where the death test can see it.
class ReportingHost : public zui::HeadlessHost {
 public:
  int MessageBox(zui::WindowHandle owner, std::wstring_view text, std::wstring_view caption, uint32_t flags) override {
    std::fprintf(stderr, "box owner=%s text=[%s] caption=[%s] flags=%u\n", owner != nullptr ? "some" : "none",
                 zsys::WideToUtf8(text).c_str(), zsys::WideToUtf8(caption).c_str(), static_cast<unsigned>(flags));
    return HeadlessHost::MessageBox(owner, text, caption, flags);
  }
};

void OpenWithMissingSkin() {
  ReportingHost host;
  zui::ScopedHost scope(host);
  SkinWindow window(L"missing.xml");
  window.Create(nullptr, L"missing", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, 0);
}

using WindowImplBaseDeathTest = WindowImplBaseTest;

TEST_F(WindowImplBaseDeathTest, MissingSkinShowsTheFailureBoxAndEndsTheProcessWithOne) {
  EXPECT_EXIT(OpenWithMissingSkin(), ::testing::ExitedWithCode(1),
              "box owner=none text=\\[Failed to load resource file\xEF\xBC\x9Amissing\\.xml\\] "
              "caption=\\[ZavizEraVaredu\\] flags=16");
}

}  // namespace
}  // namespace ztest
