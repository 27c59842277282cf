#pragma once
// What the window-base tests share: a skinned window whose skin file is
// written to a scratch resource folder, recording what reaches its
// overridable operations, and a fixture with a headless host.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resource_test_support.h"
#include "ui/host/headless/headless_host.h"
#include "ui/window/window_impl_base.h"

namespace ztest {

class SkinWindow : public zui::WindowImplBase {
 public:
  explicit SkinWindow(std::wstring skinFile = L"main.xml") : skinFile_(std::move(skinFile)) {}

  std::wstring GetSkinFile() override { return skinFile_; }
  void InitWindow() override { ++inits; }
  bool ResponseDefaultKeyEvent(zui::WPARAM_T key) override;
  zui::LRESULT_T OnClose(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam, bool& handled) override;
  zui::LRESULT_T HandleCustomMessage(uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam,
                                     bool& handled) override;
  void Notify(zui::NotifyRecord& msg) override;

  // The control of that name in the window's tree.
  zui::CControlUI* Find(std::wstring_view name) { return GetPaintManager().FindControl(name); }

  int inits = 0;
  int finals = 0;
  std::vector<zui::WPARAM_T> defaultKeys;
  std::vector<zui::WPARAM_T> closes;  // wParam of every WM_CLOSE
  std::vector<uint32_t> custom;       // messages the custom handler saw
  std::vector<std::wstring> notes;    // "type:sender"
  uint32_t claimMessage = 0;          // answered by the custom handler with 42

 protected:
  std::wstring_view GetWindowClassName() const override { return L"ZuiTestSkinWindow"; }
  void OnFinalMessage(zui::WindowHandle window) override;

 private:
  std::wstring skinFile_;
};

// The skin of the program's windows in small: a 40-pixel caption with a
// title label, a filler and the four standard buttons, a body below.
// `windowAttributes` go on the Window element.
std::wstring FramedSkin(const std::wstring& windowAttributes);

class WindowTest : public ResourceTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void WriteSkin(const std::string& name, const std::wstring& xml);
  // Creates a window of `skin` (written as main.xml) at (100, 100), shown
  // and painted once.
  SkinWindow& Open(const std::wstring& skin, uint32_t style = WS_OVERLAPPEDWINDOW, zui::WindowHandle owner = nullptr);
  // Pumps the way the message loop does, pre-translation included.
  int Pump();
  // WM_NCHITTEST at a client point of `window`.
  int HitTest(SkinWindow& window, zui::Point client);

  zui::HeadlessHost host_;
  zui::ScopedHost scope_{host_};
  std::vector<std::unique_ptr<SkinWindow>> windows_;
};

}  // namespace ztest
