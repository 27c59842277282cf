#include "window_test_support.h"

#include "sys/text_encoding.h"
#include "ui/controls/control.h"

namespace ztest {

bool SkinWindow::ResponseDefaultKeyEvent(zui::WPARAM_T key) {
  defaultKeys.push_back(key);
  return WindowImplBase::ResponseDefaultKeyEvent(key);
}

zui::LRESULT_T SkinWindow::OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) {
  closes.push_back(wParam);
  return WindowImplBase::OnClose(message, wParam, lParam, handled);
}

zui::LRESULT_T SkinWindow::HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                               bool& handled) {
  custom.push_back(message);
  if (claimMessage != 0 && message == claimMessage) return 42;
  return WindowImplBase::HandleCustomMessage(message, wParam, lParam, handled);
}

void SkinWindow::Notify(zui::NotifyRecord& msg) {
  notes.push_back(msg.type + L":" + (msg.sender != nullptr ? msg.sender->GetName() : std::wstring(L"-")));
  WindowImplBase::Notify(msg);
}

void SkinWindow::OnFinalMessage(zui::WindowHandle window) {
  WindowImplBase::OnFinalMessage(window);
  ++finals;
}

std::wstring FramedSkin(const std::wstring& windowAttributes) {
  return L"<Window " + windowAttributes +
         L">"
         L"<VerticalLayout name=\"root\" bkcolor=\"#FFFFFFFF\">"
         L"<HorizontalLayout name=\"titlebar\" height=\"40\">"
         L"<Label name=\"title\" width=\"200\"/>"
         L"<Control name=\"filler\"/>"
         L"<Button name=\"minbtn\" width=\"20\"/>"
         L"<Button name=\"maxbtn\" width=\"20\"/>"
         L"<Button name=\"restorebtn\" width=\"20\" visible=\"false\"/>"
         L"<Button name=\"closebtn\" width=\"20\"/>"
         L"</HorizontalLayout>"
         L"<Control name=\"body\"/>"
         L"</VerticalLayout></Window>";
}

void WindowTest::SetUp() {
  ResourceTest::SetUp();
  zui::CResourceSettings::Instance().SetResourcePath(Folder());
}

void WindowTest::TearDown() {
  // Newest first: owned windows before their owners.
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->GetHWND() != nullptr) host_.DestroyHostWindow((*it)->GetHWND());
  windows_.clear();
  ResourceTest::TearDown();
}

void WindowTest::WriteSkin(const std::string& name, const std::wstring& xml) {
  WriteBytes(dir_ / name, zsys::WideToUtf8(xml));
}

SkinWindow& WindowTest::Open(const std::wstring& skin, uint32_t style, zui::WindowHandle owner) {
  WriteSkin("main.xml", skin);
  windows_.push_back(std::make_unique<SkinWindow>());
  SkinWindow& window = *windows_.back();
  EXPECT_NE(window.Create(owner, L"test", style, 0, 100, 100, 0, 0), nullptr);
  window.ShowWindow(true, true);
  Pump();
  return window;
}

int WindowTest::Pump() {
  return host_.PumpPending([](zui::HostMessage& msg) { return zui::CPaintManagerUI::TranslateMessage(msg); });
}

int WindowTest::HitTest(SkinWindow& window, zui::Point client) {
  const zui::Point screen = host_.ClientToScreen(window.GetHWND(), client);
  return static_cast<int>(window.SendMessage(WM_NCHITTEST, 0, zui::MakeLParam(screen.x, screen.y)));
}

}  // namespace ztest
