// The resource pass with a real paint manager: what each declaration leaves
// in the window's (or the process's shared) tables.

#include <gtest/gtest.h>

#include <string>

#include "resource_test_support.h"
#include "ui/window/paint_manager.h"
#include "ui/resources/resource_tables.h"
#include "ui/window/skin_builder.h"

namespace {

using zui::CSkinBuilder;

class SkinBuilderResourcesTest : public ztest::ResourceTest {
 protected:
  void TearDown() override {
    zui::CSharedResources::Process().Clear();
    ResourceTest::TearDown();
  }

  void Build(const std::wstring& xml) {
    CSkinBuilder builder;
    EXPECT_EQ(builder.Create(xml, {}, nullptr, &manager_), nullptr);
  }

  zui::CPaintManagerUI manager_;
};

TEST_F(SkinBuilderResourcesTest, FontsNeedAnIdAndMayBecomeTheDefault) {
  const zui::SkinFont* platformDefault = manager_.Resources().GetDefaultFont();
  Build(L"<Window><Font name=\"DejaVu Sans\" size=\"30\" default=\"true\"/><Font id=\"-1\" size=\"31\"/>"
        L"<Font id=\"3\" name=\"DejaVu Sans\" size=\"16\"/></Window>");
  EXPECT_EQ(manager_.Resources().GetDefaultFont(), platformDefault);
  const zui::SkinFont* font = manager_.Resources().FindFont(3);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->face, L"DejaVu Sans");
  EXPECT_EQ(font->size, 16);
  EXPECT_FALSE(font->bold || font->underline || font->italic);

  Build(L"<Window><Font id=\"0\" name=\"DejaVu Sans\" bold=\"TRUE\" italic=\"yes\" default=\"True\"/></Window>");
  const zui::SkinFont* bold = manager_.Resources().FindFont(0);
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(bold->size, 12);
  EXPECT_TRUE(bold->bold);
  EXPECT_FALSE(bold->italic);
  const zui::SkinFont* windowDefault = manager_.Resources().GetDefaultFont();
  ASSERT_NE(windowDefault, platformDefault);
  EXPECT_EQ(windowDefault->face, L"DejaVu Sans");
  EXPECT_TRUE(windowDefault->bold);
}

TEST_F(SkinBuilderResourcesTest, LastDefaultWinsFirstStyleWins) {
  Build(L"<Window>"
        L"<Default name=\"Label\" value=\"a=&quot;1&quot;\"/><Default name=\"Label\" value=\"a=&quot;2&quot;\"/>"
        L"<Default value=\"nameless\"/>"
        L"<Style name=\"s\" value=\"first\"/><Style name=\"s\" value=\"second\"/>"
        L"<style2 name=\"s2\"><item name=\"bkcolor\" value=\"#FF000000\"/><item name=\"text\"/>"
        L"<item value=\"x\"/><Item name=\"pos\" value=\"1,2,3,4\"/></style2>"
        L"</Window>");
  ASSERT_NE(manager_.GetDefaultAttributeList(L"Label"), nullptr);
  EXPECT_EQ(*manager_.GetDefaultAttributeList(L"Label"), L"a=\"2\"");
  EXPECT_EQ(manager_.GetDefaultAttributeList(L"label"), nullptr);
  ASSERT_NE(manager_.GetStyle(L"s"), nullptr);
  EXPECT_EQ(*manager_.GetStyle(L"s"), L"first");
  ASSERT_NE(manager_.GetStyle(L"s2"), nullptr);
  EXPECT_EQ(*manager_.GetStyle(L"s2"), L"bkcolor=\"#FF000000\" pos=\"1,2,3,4\" ");
}

TEST_F(SkinBuilderResourcesTest, SharedDeclarationsReachOtherWindows) {
  Build(L"<Window><Default name=\"Button\" value=\"v\" shared=\"TRUE\"/><Style name=\"t\" value=\"w\" shared=\"true\"/>"
        L"<Default name=\"Own\" value=\"o\"/></Window>");
  zui::CPaintManagerUI other;
  ASSERT_NE(other.GetDefaultAttributeList(L"Button"), nullptr);
  EXPECT_EQ(*other.GetDefaultAttributeList(L"Button"), L"v");
  ASSERT_NE(other.GetStyle(L"t"), nullptr);
  EXPECT_EQ(other.GetDefaultAttributeList(L"Own"), nullptr);
}

TEST_F(SkinBuilderResourcesTest, ImagesAreLoadedAtOnceWithTheirMask) {
  zui::CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "img" / "dot.png", ztest::EncodePng(1, 1, {255, 0, 255, 255}));
  Build(L"<Window><Image name=\"img\\dot.png\" mask=\"#FFFF00FF\"/><Image restype=\"PNG\"/>"
        L"<Image name=\"img\\missing.png\"/></Window>");
  const zui::SkinImage* image = manager_.Resources().GetImage(L"img\\dot.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->mask, 0xFFFF00FFu);
  EXPECT_TRUE(image->hasAlpha);  // the one magenta pixel was masked out
  EXPECT_EQ(manager_.Resources().GetImage(L"img\\missing.png"), nullptr);
}

}  // namespace
