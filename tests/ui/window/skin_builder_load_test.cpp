// Where the builder takes its document from: text, a skin name mapped to a
// file, or a numbered native resource.

#include <gtest/gtest.h>

#include <string>

#include "recording_controls.h"
#include "resource_test_support.h"
#include "ui/window/skin_builder.h"

namespace {

using ztest::RecordingCallback;
using zui::CSkinBuilder;
using zui::SkinDocument;

class SkinBuilderLoadTest : public ztest::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    ztest::ResetRecordingNumbers();
    zui::CResourceSettings::Instance().SetResourcePath(Folder());
  }

  RecordingCallback callback_;
};

TEST_F(SkinBuilderLoadTest, SkinNameGoesThroughTheNameMapAndIsReadAsUtf8) {
  // A byte-order mark, then "中文" in UTF-8.
  ztest::WriteBytes(dir_ / "skins" / "real.xml",
                    std::string("\xEF\xBB\xBF<Window><Leaf text=\"\xE4\xB8\xAD\xE6\x96\x87\"/></Window>"));
  zui::CResourceSettings::Instance().SetSkinFileName(L"main", L"skins\\real.xml");

  CSkinBuilder builder;
  std::unique_ptr<zui::CControlUI> root(builder.Create(L"main", {}, &callback_));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(callback_.log.back(), L"attr 1 text=\x4E2D\x6587");

  // An unmapped name is a file name as it stands.
  std::unique_ptr<zui::CControlUI> again(builder.Create(L"skins/real.xml", {}, &callback_));
  EXPECT_NE(again, nullptr);
  EXPECT_EQ(builder.Create(L"missing.xml", {}, &callback_), nullptr);
}

TEST_F(SkinBuilderLoadTest, NumberedResourceOfTheGivenType) {
  const std::string doc = "<Window><Leaf name=\"r\"/></Window>";
  zui::RegisterEmbeddedResource(L"XML", 7, doc.data(), doc.size());

  CSkinBuilder builder;
  std::unique_ptr<zui::CControlUI> root(builder.Create(SkinDocument::Resource(7), L"XML", &callback_));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetName(), L"r");
  EXPECT_EQ(builder.Create(SkinDocument::Resource(7), L"OTHER", &callback_), nullptr);
  EXPECT_EQ(builder.Create(SkinDocument::Resource(7 + 65536), L"XML", &callback_), nullptr);
  // A failed load leaves nothing behind to build from the markup.
  EXPECT_EQ(builder.Create(&callback_), nullptr);
}

TEST_F(SkinBuilderLoadTest, DocumentsThatBuildNothing) {
  CSkinBuilder builder;
  EXPECT_EQ(builder.Create(L"<!-- only a comment -->", {}, &callback_), nullptr);
  EXPECT_EQ(builder.Create(L"<Window><Leaf></Box></Window>", {}, &callback_), nullptr);
  EXPECT_EQ(builder.Create(L"", {}, &callback_), nullptr);
  EXPECT_TRUE(callback_.asked.empty());
}

TEST_F(SkinBuilderLoadTest, MarkupLoadedByTheCallerCanBeBuiltAgain) {
  CSkinBuilder builder;
  ASSERT_TRUE(builder.GetMarkup()->Load(L"<Window><Leaf name=\"m\"/></Window>"));
  std::unique_ptr<zui::CControlUI> first(builder.Create(&callback_));
  std::unique_ptr<zui::CControlUI> second(builder.Create(&callback_));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(second->GetName(), L"m");
}

}  // namespace
