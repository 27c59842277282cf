// Window classes, creation, per-window data, procedure chains, placement and
// regions on real user32 windows.

#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace ztest {
namespace {

class Win32WindowTest : public ::testing::Test {
 protected:
  ~Win32WindowTest() override {
    for (zui::WindowHandle w : made_)
      if (host_.IsHostWindow(w)) host_.DestroyHostWindow(w);
  }
  zui::WindowHandle Make(const zui::Rect& screen, uint32_t exStyle = 0, zui::WindowHandle owner = nullptr) {
    zui::WindowHandle w = MakeRecordingWindow(host_, recorder_, screen, exStyle, owner);
    made_.push_back(w);
    return w;
  }

  zui::Win32Host host_;
  zui::ScopedHost scope_{host_};
  Recorder recorder_;
  std::vector<zui::WindowHandle> made_;
};

TEST_F(Win32WindowTest, ClassRegistersTwiceAndUnknownClassesMakeNoWindow) {
  const zui::WindowClassDesc desc{L"ZavizWin32Twice", CS_DBLCLKS, &RecordingProc};
  EXPECT_TRUE(host_.RegisterWindowClass(desc));
  EXPECT_TRUE(host_.RegisterWindowClass(desc));
  zui::WindowClassDesc info;
  ASSERT_TRUE(host_.GetClassInfo(L"ZavizWin32Twice", info));
  EXPECT_EQ(info.style, unsigned{CS_DBLCLKS});
  EXPECT_EQ(info.proc, &RecordingProc);
  // System classes are found too: a superclass starts from one.
  EXPECT_TRUE(host_.GetClassInfo(L"BUTTON", info));
  EXPECT_NE(info.proc, nullptr);
  EXPECT_FALSE(host_.GetClassInfo(L"ZavizNoSuchClass", info));
  EXPECT_FALSE(host_.RegisterWindowClass({L"", 0, &RecordingProc}));

  zui::HostWindowDesc unknown;
  unknown.className = L"ZavizNoSuchClass";
  unknown.rect = {0, 0, 10, 10};
  EXPECT_EQ(host_.CreateHostWindow(unknown, nullptr), nullptr);
}

TEST_F(Win32WindowTest, CreationParamReachesNcCreateAndCreateInOrder) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(host_.IsHostWindow(w));
  EXPECT_EQ(recorder_.nccreateParam, &recorder_);
  EXPECT_EQ(recorder_.createParam, &recorder_);
  auto at = [&](uint32_t m) {
    for (size_t i = 0; i < recorder_.seen.size(); ++i)
      if (recorder_.seen[i].message == m) return static_cast<int>(i);
    return -1;
  };
  EXPECT_GE(at(WM_NCCREATE), 0);
  EXPECT_LT(at(WM_NCCREATE), at(WM_CREATE));
  EXPECT_EQ(host_.GetUserData(w), &recorder_);

  EXPECT_TRUE(host_.DestroyHostWindow(w));
  EXPECT_FALSE(host_.IsHostWindow(w));
  EXPECT_LT(at(WM_DESTROY), at(WM_NCDESTROY));
}

TEST_F(Win32WindowTest, PropertiesKeepValuesByNameAndRemoveAnswersTheValue) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  int a = 0, b = 0;
  EXPECT_TRUE(host_.SetProp(w, L"WndX", &a));
  EXPECT_TRUE(host_.SetProp(w, L"Other", &b));
  EXPECT_EQ(host_.GetProp(w, L"WndX"), &a);
  EXPECT_EQ(host_.GetProp(w, L"Other"), &b);
  EXPECT_EQ(host_.RemoveProp(w, L"WndX"), &a);
  EXPECT_EQ(host_.GetProp(w, L"WndX"), nullptr);
  EXPECT_EQ(host_.RemoveProp(w, L"WndX"), nullptr);
  EXPECT_EQ(host_.GetProp(w, L"Other"), &b);
  EXPECT_FALSE(host_.SetProp(w, L"", &a));
  host_.RemoveProp(w, L"Other");
}

// The subclass procedure of the chaining test: notes the message, then hands
// it to the procedure it replaced.
std::vector<uint32_t>* subclassSaw = nullptr;
zui::WindowProc replaced = nullptr;

zui::LRESULT_T SubclassProc(zui::WindowHandle window, uint32_t message, zui::WPARAM_T wParam, zui::LPARAM_T lParam) {
  if (subclassSaw != nullptr && message == kAnswerMessage) subclassSaw->push_back(message);
  return zui::Host().CallWindowProc(replaced, window, message, wParam, lParam);
}

TEST_F(Win32WindowTest, ReplacedProcedureSeesMessagesFirstAndChainsToTheOriginal) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  std::vector<uint32_t> saw;
  subclassSaw = &saw;
  replaced = host_.SetWindowProc(w, &SubclassProc);
  ASSERT_EQ(replaced, &RecordingProc);
  const size_t before = recorder_.seen.size();
  EXPECT_EQ(host_.SendMessage(w, kAnswerMessage, 5, 6), kAnswer);
  ASSERT_EQ(saw.size(), 1u);
  ASSERT_GT(recorder_.seen.size(), before);
  EXPECT_EQ(recorder_.Last(kAnswerMessage)->wParam, 5u);
  EXPECT_EQ(recorder_.Last(kAnswerMessage)->lParam, 6);
  // Putting the original back ends the detour.
  EXPECT_EQ(host_.SetWindowProc(w, replaced), &SubclassProc);
  host_.SendMessage(w, kAnswerMessage, 0, 0);
  EXPECT_EQ(saw.size(), 1u);
  EXPECT_EQ(recorder_.Count(kAnswerMessage), 2);
  subclassSaw = nullptr;
  EXPECT_EQ(host_.SetWindowProc(w, nullptr), nullptr);
}

TEST_F(Win32WindowTest, PlacementStateStylesAndOwnership) {
  zui::WindowHandle owner = Make({1000, 20, 1200, 120});
  zui::WindowHandle popup = Make({1020, 40, 1120, 90}, 0, owner);
  EXPECT_EQ(host_.GetWindowRect(popup), (zui::Rect{1020, 40, 1120, 90}));
  EXPECT_EQ(host_.GetClientRect(popup), (zui::Rect{0, 0, 100, 50}));
  EXPECT_EQ(host_.GetOwner(popup), owner);
  EXPECT_EQ(host_.GetParent(popup), owner);
  EXPECT_EQ(host_.GetOwner(owner), nullptr);

  EXPECT_FALSE(host_.IsVisible(popup));
  EXPECT_FALSE(host_.ShowHostWindow(popup, SW_SHOWNOACTIVATE));
  EXPECT_TRUE(host_.IsVisible(popup));
  EXPECT_TRUE(host_.ShowHostWindow(popup, SW_HIDE));
  EXPECT_FALSE(host_.IsVisible(popup));

  EXPECT_TRUE(host_.MoveHostWindow(popup, {1040, 60, 1160, 130}, false));
  EXPECT_EQ(host_.GetWindowRect(popup), (zui::Rect{1040, 60, 1160, 130}));
  EXPECT_EQ(host_.ScreenToClient(popup, {1045, 70}), (zui::Point{5, 10}));
  EXPECT_EQ(host_.ClientToScreen(popup, {5, 10}), (zui::Point{1045, 70}));

  EXPECT_FALSE(host_.EnableHostWindow(owner, false));
  EXPECT_FALSE(host_.IsEnabled(owner));
  EXPECT_TRUE(host_.EnableHostWindow(owner, true));
  EXPECT_TRUE(host_.IsEnabled(owner));

  const uint32_t style = host_.GetStyle(popup, false);
  EXPECT_NE(style & WS_POPUP, 0u);
  host_.SetStyle(popup, false, style | WS_CLIPCHILDREN);
  EXPECT_NE(host_.GetStyle(popup, false) & WS_CLIPCHILDREN, 0u);
  EXPECT_EQ(host_.GetStyle(popup, true) & WS_EX_LAYERED, 0u);
}

TEST_F(Win32WindowTest, ChildWindowIsPlacedAtItsScreenRectangle) {
  zui::WindowHandle parent = Make({100, 100, 300, 250});
  host_.RegisterWindowClass({kRecordingClass, 0, &RecordingProc});
  Recorder childRecorder;
  zui::HostWindowDesc desc;
  desc.className = kRecordingClass;
  desc.style = WS_CHILD | WS_VISIBLE;
  desc.rect = {120, 130, 170, 160};
  desc.parent = parent;
  zui::WindowHandle child = host_.CreateHostWindow(desc, &childRecorder);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(host_.GetWindowRect(child), (zui::Rect{120, 130, 170, 160}));
  EXPECT_EQ(host_.GetParent(child), parent);
  EXPECT_TRUE(host_.MoveHostWindow(child, {110, 105, 130, 125}, false));
  EXPECT_EQ(host_.GetWindowRect(child), (zui::Rect{110, 105, 130, 125}));
}

TEST_F(Win32WindowTest, RoundRegionCutsTheCornersAndNullRemovesIt) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  const zui::Rect shape{0, 0, 101, 61};
  host_.SetRoundRegion(w, &shape, {12, 12});
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(reinterpret_cast<HWND>(w), region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 100);
  EXPECT_EQ(box.bottom, 60);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 99, 59));
  EXPECT_TRUE(PtInRegion(region, 6, 1) || PtInRegion(region, 5, 1));
  EXPECT_TRUE(PtInRegion(region, 50, 30));

  host_.SetRoundRegion(w, nullptr, {});
  EXPECT_EQ(GetWindowRgn(reinterpret_cast<HWND>(w), region), ERROR);
  DeleteObject(region);
}

// The colour at the centre of an icon's image, and its side; 0 for no icon.
int IconSideAndCentre(HICON icon, uint32_t& centre) {
  ICONINFO info{};
  if (icon == nullptr || GetIconInfo(icon, &info) == FALSE) return 0;
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof(bm), &bm);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, info.hbmColor, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  centre = pixels[static_cast<size_t>(bm.bmHeight / 2) * bm.bmWidth + bm.bmWidth / 2] & 0xFFFFFF;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bm.bmWidth;
}

TEST_F(Win32WindowTest, IconComesFromTheResourceAtTheRoundedSystemSize) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  HWND hwnd = reinterpret_cast<HWND>(w);
  EXPECT_FALSE(host_.SetIcon(w, 999));
  ASSERT_TRUE(host_.SetIcon(w, 138));
  auto big = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
  auto small = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  uint32_t centre = 0;
  EXPECT_EQ(IconSideAndCentre(big, centre), (GetSystemMetrics(SM_CXICON) + 15) / 16 * 16);
  EXPECT_EQ(centre, 0x2060C0u);
  EXPECT_EQ(IconSideAndCentre(small, centre), (GetSystemMetrics(SM_CXICON) + 15) / 16 * 16);

  // A failed load leaves the icons; a new one replaces and frees them.
  EXPECT_FALSE(host_.SetIcon(w, 999));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), big);
  ASSERT_TRUE(host_.SetIcon(w, 138));
  EXPECT_NE(reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), big);
  ICONINFO gone{};
  EXPECT_FALSE(GetIconInfo(big, &gone));
}

TEST_F(Win32WindowTest, MonitorOfAWindowIsTheScreenAndItsWorkArea) {
  zui::WindowHandle w = Make({40, 40, 140, 100});
  const zui::MonitorArea area = host_.GetMonitorArea(w);
  EXPECT_EQ(area.monitor, (zui::Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  EXPECT_TRUE(area.primary);
  EXPECT_FALSE(area.work.IsEmpty());
  EXPECT_EQ(area.work.Intersect(area.monitor), area.work);
  EXPECT_EQ(host_.GetMonitorArea(nullptr).monitor, area.monitor);
}

}  // namespace
}  // namespace ztest
