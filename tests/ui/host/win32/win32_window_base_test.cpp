// The skinned window base on real Windows windows: the viewer's demo skin
// opens with its Chinese text, its round-corner region and its drop-shadow
// window, and a real click on its close button closes it.

#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/resources/resource_settings.h"
#include "ui/window/window_impl_base.h"

namespace ztest {
namespace {

class DemoWindow : public zui::WindowImplBase {
 public:
  std::wstring_view GetWindowClassName() const override { return L"ZavizWin32DemoWindow"; }
  std::wstring GetSkinFile() override { return L"viewer.xml"; }
  void OnFinalMessage(zui::WindowHandle window) override {
    WindowImplBase::OnFinalMessage(window);
    closed = true;
  }
  bool closed = false;
};

TEST(Win32WindowBaseTest, TheDemoSkinOpensWithRegionShadowAndAWorkingCloseButton) {
  std::unique_ptr<zui::IUiHost> host = zui::CreateWin32Host();
  zui::ScopedHost scope(*host);
  zui::CResourceSettings::Instance().Reset();
  zui::CResourceSettings::Instance().SetResourcePath(std::wstring(L"" ZAVIZ_SOURCE_DIR) + L"/tests/desktop/skin/");

  DemoWindow window;
  ASSERT_NE(window.Create(nullptr, L"demo", WS_OVERLAPPEDWINDOW, 0, 700, 100, 484, 306), nullptr);
  HWND hwnd = reinterpret_cast<HWND>(window.GetHWND());
  window.ShowWindow(true, true);
  PumpFor(*host, 500);

  RECT rect;
  ASSERT_TRUE(GetWindowRect(hwnd, &rect));
  EXPECT_EQ(rect.right - rect.left, 484);
  EXPECT_EQ(rect.bottom - rect.top, 306);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(hwnd, region), ERROR) << "no round-corner region";
  DeleteObject(region);

  HWND shadow = FindWindowW(L"UmbraShadowWnd", nullptr);
  ASSERT_NE(shadow, nullptr) << "no shadow window";
  EXPECT_NE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(GetWindow(shadow, GW_OWNER), hwnd);
  RECT shadowRect;
  GetWindowRect(shadow, &shadowRect);
  EXPECT_EQ(shadowRect.left, rect.left - 19);
  EXPECT_EQ(shadowRect.right - shadowRect.left, 484 + 2 * 19);

  const zui::Bitmap shown = GrabScreen({rect.left, rect.top, rect.right, rect.bottom});
  SaveArtifact(shown, "win32_window_base_demo");
  int ink = 0;  // the title "Vombel修复工具" in dark grey on white
  for (int y = 18; y < 38; ++y)
    for (int x = 30; x < 190; ++x) ink += (shown.at(x, y) & 0xFF) < 0x80;
  EXPECT_GT(ink, 100);
  EXPECT_EQ(shown.at(100, 100) & 0xFFFFFF, 0xFFFFFFu);

  RealClick({rect.left + 457, rect.top + 25});  // "closebtn"
  EXPECT_TRUE(PumpUntil(*host, [&] { return window.closed; })) << "the close button did not close the window";
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindow(shadow));
}

}  // namespace
}  // namespace ztest
