#include "tests/app/repair_window_test_support.h"

#include "sys/text_encoding.h"
#include "ui/controls/control.h"
#include "ui/layout/tab_layout.h"
#include "ui/resources/png_writer.h"
#include "ui/resources/resource_settings.h"

namespace zapp::testing {

void RepairWindowTest::SetUp() {
  zui::CResourceSettings& settings = zui::CResourceSettings::Instance();
  settings.Reset();
  settings.SetResourceType(zui::CResourceSettings::kResourceFile);
  settings.SetResourcePath(zsys::Utf8ToWide(ZAVIZ_SOURCE_DIR "/skin/"));
  changer_.recordToWatch = record_.Path();
}

void RepairWindowTest::TearDown() {
  if (hwnd_ != nullptr && host_.IsHostWindow(hwnd_)) host_.DestroyHostWindow(hwnd_);
  window_.reset();
  zui::CResourceSettings::Instance().Reset();
  if (console_ != nullptr) std::fclose(console_);
}

void RepairWindowTest::AddCard(const std::string& name, uint32_t index, const std::wstring& description) {
  znet::AdapterEntry entry = znet::testing::Adapter(name, zsys::WideToUtf8(description), index);
  entry.ipAddress = "10.0.0." + std::to_string(index);
  adapters_.list.push_back(entry);
  physical_[name] = true;
}

VXGDown& RepairWindowTest::Open() {
  RepairSetup setup =
      LoopbackSetup(adapters_, physical_, changer_, keeper_, record_, firmware_.path(), port_, console_);
  setup.clock = [this] { return uint64_t(host_.GetTickCount()); };  // the diagnosis's silence runs on the test's clock
  setup.supportLogFolder = logs_.path();
  window_ = std::make_unique<VXGDown>(std::move(setup));
  window_->Workflow().Server().log_sink = [](const std::string&) {};
  hwnd_ = window_->Create(nullptr, L"vxdownload", WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_EX_WINDOWEDGE);
  EXPECT_NE(hwnd_, nullptr);
  window_->CenterWindow();
  window_->ShowWindow(true, true);
  Pump();
  return *window_;
}

int RepairWindowTest::Pump() {
  return host_.PumpPending([](zui::HostMessage& msg) { return zui::CPaintManagerUI::TranslateMessage(msg); });
}

zui::CControlUI* RepairWindowTest::Find(const wchar_t* name) { return window_->GetPaintManager().FindControl(name); }

void RepairWindowTest::Click(zui::CControlUI* control, zui::WindowHandle window) {
  ASSERT_NE(control, nullptr);
  const zui::Rect& r = control->GetPos();
  host_.ClickLeft(window != nullptr ? window : hwnd_, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  Pump();
}

zui::CControlUI* RepairWindowTest::FirstPageBeginButton() {
  auto* tab = dynamic_cast<zui::CTabLayoutUI*>(Find(L"downpage_tab"));
  auto* page = tab != nullptr ? dynamic_cast<zui::CContainerUI*>(tab->GetItemAt(0)) : nullptr;
  return page != nullptr ? page->GetItemAt(1) : nullptr;
}

int RepairWindowTest::Page() {
  auto* tab = dynamic_cast<zui::CTabLayoutUI*>(Find(L"downpage_tab"));
  return tab != nullptr ? tab->GetCurSel() : -1;
}

std::wstring RepairWindowTest::TextOf(const wchar_t* name) {
  zui::CControlUI* control = Find(name);
  return control != nullptr ? control->GetText() : L"<none>";
}

void RepairWindowTest::SaveFrame(zui::WindowHandle window, const std::string& name) {
  Pump();
  const zui::Bitmap* frame = host_.Frame(window);
  ASSERT_NE(frame, nullptr) << name;
  const std::filesystem::path folder = std::filesystem::path(ZAVIZ_BINARY_DIR) / "artifacts" / "app";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(zui::WritePngFile(folder / (name + ".png"), *frame)) << name;
}

}  // namespace zapp::testing
