// Both skins loaded the way the program loads them (the embedded archive
// registered, then found by name) and built into a headless window: the
// controls the windows look up, the pages of the repair window, the card
// list's columns, and a picture of every page under build/.../artifacts/skin.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "skin/repair_skin_archive.h"
#include "sys/text_encoding.h"
#include "tests/support/skin_test_window.h"
#include "ui/controls/control.h"
#include "ui/host/icon_resources.h"
#include "ui/layout/container.h"
#include "ui/layout/tab_layout.h"
#include "ui/list/list.h"
#include "ui/list/list_header.h"
#include "ui/list/list_label_element.h"
#include "ui/resources/native_resources.h"
#include "ui/resources/png_writer.h"
#include "ui/resources/resource_settings.h"
#include "ui/window/skin_builder.h"

namespace {

namespace fs = std::filesystem;

class SkinPages : public ::testing::Test {
 protected:
  void SetUp() override {
    zui::CResourceSettings::Instance().Reset();
    zui::ClearEmbeddedResources();
    zapp::RegisterRepairSkinArchive();
    ASSERT_TRUE(zui::LoadSkinArchiveResource(zapp::kSkinArchiveResourceName, zapp::kSkinArchiveResourceType));
  }
  void TearDown() override {
    zui::CResourceSettings::Instance().Reset();
    zui::ClearEmbeddedResources();
  }

  zui::CControlUI* Build(const wchar_t* skin) {
    zui::CSkinBuilder builder;
    zui::CControlUI* root = builder.Create(skin, {}, nullptr, &window_.Manager());
    if (root != nullptr) {
      EXPECT_TRUE(window_.Manager().AttachDialog(root));
    }
    return root;
  }

  // Every control of the tree with that name, in tree order.
  static std::vector<zui::CControlUI*> Named(zui::CControlUI* root, const std::wstring& name) {
    std::vector<zui::CControlUI*> found;
    std::function<void(zui::CControlUI*)> walk = [&](zui::CControlUI* control) {
      if (control->GetName() == name) found.push_back(control);
      if (auto* container = dynamic_cast<zui::IContainerUI*>(control)) {
        for (int i = 0; i < container->GetCount(); ++i) walk(container->GetItemAt(i));
      }
    };
    walk(root);
    return found;
  }

  // Paints what is pending and keeps the frame as an artifact.
  const zui::Bitmap* PaintInto(const std::string& artifact) {
    window_.Host().PumpPending();
    const zui::Bitmap* frame = window_.Host().Frame(window_.Handle());
    if (frame == nullptr) return nullptr;
    const fs::path folder = fs::path(ZAVIZ_BINARY_DIR) / "artifacts" / "skin";
    fs::create_directories(folder);
    EXPECT_TRUE(zui::WritePngFile(folder / (artifact + ".png"), *frame));
    return frame;
  }

  ztest::SkinTestWindow window_{{484, 306}};
};

TEST_F(SkinPages, TheArchiveIsFoundByNameAndAHandOverLaterIsIgnored) {
  zui::CResourceSettings& settings = zui::CResourceSettings::Instance();
  EXPECT_EQ(settings.GetResourceType(), zui::CResourceSettings::kResourceZipResource);
  EXPECT_EQ(settings.GetResourceZip(), zui::CResourceSettings::kMemoryArchiveName);
  ASSERT_NE(settings.GetResourceZipHandle(), nullptr);
  const zui::CZipArchive* first = settings.GetResourceZipHandle();
  EXPECT_TRUE(zui::LoadSkinArchiveResource(zapp::kSkinArchiveResourceName, zapp::kSkinArchiveResourceType));
  EXPECT_EQ(settings.GetResourceZipHandle(), first);
#ifndef _WIN32
  // Windows finds the icon among the executable's resources; elsewhere it
  // is registered with the archive.
  const std::optional<zui::Bitmap> icon = zui::FindIconResource(zapp::kWindowIconResource);
  ASSERT_TRUE(icon.has_value());
  EXPECT_EQ(icon->width(), 256);
  EXPECT_EQ(icon->height(), 256);
#endif
}

#ifdef _WIN32
TEST_F(SkinPages, ExecutableCarriesIconAndManifest) {
  HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(zapp::kWindowIconResource), MAKEINTRESOURCEW(14)), nullptr);
  HRSRC manifest = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(self, manifest)));
  const std::string xml(text, SizeofResource(self, manifest));
  EXPECT_NE(xml.find("requireAdministrator"), std::string::npos);
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(zapp::kWindowIconResource)), nullptr);
}
#endif

TEST_F(SkinPages, RepairWindowHasEveryControlTheWindowLooksUpOnce) {
  zui::CControlUI* root = Build(L"vxgdown.xml");
  ASSERT_NE(root, nullptr);
  for (const wchar_t* name :
       {L"progress", L"downpage_tab", L"downloadvolume", L"waitingforuseraction_text", L"begin_upgrade_text",
        L"upgradeing_status", L"reset_mark", L"repair_tips", L"icon_bg", L"end_upgrade_text", L"upgradeing_text",
        L"upgrade_error_text", L"close", L"exit_btn", L"confirm_exit_btn", L"cancel_exit_btn", L"repair_retry"}) {
    const std::vector<zui::CControlUI*> found = Named(root, name);
    ASSERT_EQ(found.size(), 1u) << zsys::WideToUtf8(name);
    EXPECT_EQ(window_.Manager().FindControl(name), found[0]);
  }
  // Two "begin_btn": the lookup answers the second, the disabled one.
  const std::vector<zui::CControlUI*> begin = Named(root, L"begin_btn");
  ASSERT_EQ(begin.size(), 2u);
  EXPECT_TRUE(begin[0]->IsEnabled());
  EXPECT_FALSE(begin[1]->IsEnabled());
  EXPECT_EQ(window_.Manager().FindControl(L"begin_btn"), begin[1]);
}

TEST_F(SkinPages, RepairWindowPagesInWorkflowOrderAndPainted) {
  ASSERT_NE(Build(L"vxgdown.xml"), nullptr);
  auto* tab = dynamic_cast<zui::CTabLayoutUI*>(window_.Manager().FindControl(L"downpage_tab"));
  ASSERT_NE(tab, nullptr);
  const char* pages[] = {"begin_upgrade", "waitingforuseraction", "upgradeing",
                         "end_upgrade",   "warning_layout",       "upgrade_error"};
  ASSERT_EQ(tab->GetCount(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(zsys::WideToUtf8(tab->GetItemAt(i)->GetName()), pages[i]);

  const zui::Bitmap* first = window_.ShowAndPaint();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->width(), 484);
  EXPECT_EQ(first->height(), 306);
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(tab->SelectItem(i));
    const zui::Bitmap* frame = PaintInto(std::string("vxgdown_") + std::to_string(i) + "_" + pages[i]);
    ASSERT_NE(frame, nullptr);
    // The page's own button or text sits in the middle band: something
    // other than the white background is drawn there.
    int inked = 0;
    for (int y = 140; y < 260; ++y) {
      for (int x = 40; x < 444; ++x) inked += (frame->row(y)[x] & 0xFFFFFF) != 0xFFFFFF;
    }
    EXPECT_GT(inked, 200) << pages[i];
  }
}

TEST_F(SkinPages, ChooserListHasThreeColumnsAndPaintsRows) {
  ASSERT_NE(Build(L"chooseNetCard.xml"), nullptr);
  auto* list = dynamic_cast<zui::CListUI*>(window_.Manager().FindControl(L"netlist"));
  ASSERT_NE(list, nullptr);
  zui::CListHeaderUI* header = list->GetHeader();
  ASSERT_NE(header, nullptr);
  ASSERT_EQ(header->GetCount(), 3);
  EXPECT_EQ(header->GetItemAt(0)->GetFixedWidth(), 30);
  EXPECT_EQ(header->GetItemAt(1)->GetFixedWidth(), 320);
  EXPECT_EQ(header->GetItemAt(2)->GetFixedWidth(), 76);
  EXPECT_EQ(header->GetFixedHeight(), 1);

  for (const wchar_t* text : {L"Realtek PCIe GbE Family Controller", L"Intel(R) Ethernet Connection I219-V"}) {
    auto* row = new zui::CListLabelElementUI;
    row->SetText(text);
    row->SetFixedHeight(44);
    ASSERT_TRUE(list->Add(row));
  }
  EXPECT_EQ(list->GetCount(), 2);
  ASSERT_NE(window_.ShowAndPaint(), nullptr);
  ASSERT_NE(PaintInto("chooseNetCard"), nullptr);
}

}  // namespace
