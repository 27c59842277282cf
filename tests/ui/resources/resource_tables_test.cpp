#include "ui/resources/resource_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_test_support.h"

namespace zui {
namespace {

// A text engine that records the fonts it makes and counts those destroyed.
class FakeTextEngine : public ITextEngine {
 public:
  class Font : public ITextFont {
   public:
    Font(const FontRequest& fontRequest, int* destroyed) : request_(fontRequest), destroyed_(destroyed) {
      metrics_.height = fontRequest.pixelSize + 3;
    }
    ~Font() override { ++*destroyed_; }
    const FontRequest& Request() const override { return request_; }
    const FontMetrics& Metrics() const override { return metrics_; }

   private:
    FontRequest request_;
    FontMetrics metrics_;
    int* destroyed_;
  };

  std::unique_ptr<ITextFont> CreateFont(const FontRequest& fontRequest) override {
    if (fontRequest.face == L"Missing Face") return nullptr;
    made.push_back(fontRequest);
    return std::make_unique<Font>(fontRequest, &destroyed);
  }
  int DrawText(Bitmap*, const Rect&, const ITextFont&, std::wstring_view, Rect&, uint32_t, unsigned) override {
    return 0;
  }

  std::vector<FontRequest> made;
  int destroyed = 0;
};

struct Counted {
  explicit Counted(int* destroyed) : destroyed(destroyed) {}
  ~Counted() { ++*destroyed; }
  int* destroyed;
};

TEST(ResourceHashMap, HashesFromTheLastCharacterAndMovesFoundEntriesToTheFront) {
  using Map = CResourceHashMap<Counted>;
  EXPECT_EQ(Map::Hash(L""), 0u);
  EXPECT_EQ(Map::Hash(L"ab"), 98u * 33u + 97u);
  EXPECT_EQ(Map::BucketOf(L"ab"), (98u * 33u + 97u) % 83u);

  // Two keys that share a bucket: single characters 83 apart.
  const std::wstring first(1, L'A'), second(1, static_cast<wchar_t>(L'A' + 83));
  ASSERT_EQ(Map::BucketOf(first), Map::BucketOf(second));
  int destroyed = 0;
  Map map;
  map.Insert(first, std::make_unique<Counted>(&destroyed), true);
  map.Insert(second, std::make_unique<Counted>(&destroyed), true);
  EXPECT_EQ(map.FrontKey(Map::BucketOf(first)), second);
  ASSERT_NE(map.Find(first), nullptr);
  EXPECT_EQ(map.FrontKey(Map::BucketOf(first)), first);

  // Replacing frees the old value; keeping drops the new one.
  map.Insert(first, std::make_unique<Counted>(&destroyed), true);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(map.Insert(first, std::make_unique<Counted>(&destroyed), false), nullptr);
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(map.Size(), 2u);
  EXPECT_TRUE(map.Remove(second));
  EXPECT_EQ(destroyed, 3);
  EXPECT_FALSE(map.Remove(second));
}

class ResourceTables : public ztest::ResourceTest {
 protected:
  FakeTextEngine engine_;
  CSharedResources shared_;
};

TEST_F(ResourceTables, ImagesAreReplacedAndLookedUpWindowFirst) {
  CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "img" / "a.png", ztest::EncodePng(1, 1, {10, 20, 30, 255}));
  CResourceTables tables(engine_, shared_);

  SkinImage* first = tables.AddImage(L"img\\a.png");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->bitmap.at(0, 0), 0xFF0A141Eu);
  ztest::WriteBytes(dir_ / "img" / "a.png", ztest::EncodePng(2, 1, {1, 2, 3, 255, 4, 5, 6, 255}));
  SkinImage* second = tables.AddImage(L"img\\a.png", {}, 0, true);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(tables.GetImage(L"img\\a.png"), second);
  EXPECT_EQ(second->width, 2);
  EXPECT_TRUE(second->adjustColour);
  EXPECT_EQ(second->unadjustedPixels.size(), 2u);

  // A shared image is seen by every window; the window's own comes first.
  SkinImage* sharedImage = tables.AddImage(L"img\\a.png", {}, 0xFF010203, false, true);
  ASSERT_NE(sharedImage, nullptr);
  EXPECT_EQ(tables.GetImage(L"img\\a.png"), second);
  CResourceTables otherWindow(engine_, shared_);
  EXPECT_EQ(otherWindow.GetImage(L"img\\a.png"), sharedImage);
  EXPECT_EQ(sharedImage->mask, 0xFF010203u);
  EXPECT_EQ(sharedImage->bitmap.at(0, 0), 0u);
  EXPECT_TRUE(tables.RemoveImage(L"img\\a.png"));
  EXPECT_EQ(tables.GetImage(L"img\\a.png"), sharedImage);

  otherWindow.SetUseSharedResourcesOnly(true);
  ASSERT_NE(otherWindow.AddImage(L"img\\a.png"), nullptr);
  EXPECT_EQ(shared_.images.Size(), 1u);  // replaced the shared one
  EXPECT_EQ(tables.AddImage(L""), nullptr);
  EXPECT_EQ(tables.AddImage(L"img\\a.png", L"PNG"), nullptr);  // typed names are numbers
}

TEST_F(ResourceTables, MissingImagesAreNotCachedAndTriedAgain) {
  CResourceSettings::Instance().SetResourcePath(Folder());
  CResourceTables tables(engine_, shared_);
  EXPECT_EQ(tables.GetOrLoadImage(L"img/late.png"), nullptr);
  EXPECT_EQ(tables.GetOrLoadImage(L"img/late.png"), nullptr);
  ztest::WriteBytes(dir_ / "img" / "late.png", ztest::EncodePng(1, 1, {0, 0, 0, 255}));
  SkinImage* image = tables.GetOrLoadImage(L"img/late.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(tables.GetOrLoadImage(L"img/late.png"), image);
  EXPECT_EQ(shared_.images.Size(), 0u);
}

TEST_F(ResourceTables, FontsAreScaledReplacedAndFallBackToTheDefault) {
  CResourceTables tables(engine_, shared_);
  SkinFont* regular = tables.AddFont(3, L"Tahoma", 16, false, false, false);
  ASSERT_NE(regular, nullptr);
  EXPECT_EQ(engine_.made.back().pixelSize, 16);
  EXPECT_FALSE(engine_.made.back().bold);
  EXPECT_EQ(regular->metrics.height, 19);
  EXPECT_EQ(tables.GetFont(3), regular);

  tables.SetScalePercent(150);
  EXPECT_EQ(engine_.destroyed, 1) << "made again at the new scale";
  EXPECT_EQ(engine_.made.back().pixelSize, 24);
  EXPECT_EQ(tables.GetFont(3), regular) << "in place: the controls keep their font";
  SkinFont* bold = tables.AddFont(3, std::wstring(40, L'F'), 13, true, true, false);
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(engine_.destroyed, 2);  // the replaced font is gone
  EXPECT_EQ(engine_.made.back().pixelSize, 20);
  EXPECT_EQ(engine_.made.back().face.size(), 31u);
  EXPECT_TRUE(engine_.made.back().bold && engine_.made.back().underline);
  EXPECT_EQ(bold->size, 13);

  // A face the platform cannot make adds nothing.
  EXPECT_EQ(tables.AddFont(4, L"Missing Face", 12, false, false, false), nullptr);
  SkinFont* fallback = tables.GetFont(4);
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(fallback, tables.GetDefaultFont());
  EXPECT_EQ(tables.GetFont(-1), fallback);
  EXPECT_EQ(fallback->size, CResourceTables::kPlatformFontSize);

  SkinFont* processDefault = tables.SetDefaultFont(L"Shared", 14, false, false, false, true);
  EXPECT_EQ(tables.GetFont(9), processDefault);
  SkinFont* windowDefault = tables.SetDefaultFont(L"Own", 15, true, false, false);
  EXPECT_EQ(tables.GetFont(9), windowDefault);
  CResourceTables otherWindow(engine_, shared_);
  EXPECT_EQ(otherWindow.GetFont(9), processDefault);

  SkinFont* sharedFont = otherWindow.AddFont(9, L"S", 10, false, false, true, true);
  EXPECT_EQ(tables.GetFont(9), sharedFont);
}

TEST_F(ResourceTables, DefaultListsAreReplacedButStylesKeepTheFirst) {
  CResourceTables tables(engine_, shared_);
  tables.AddDefaultAttributeList(L"Label", L"textcolor=\"#FF000000\"");
  tables.AddDefaultAttributeList(L"Label", L"textcolor=\"#FFFFFFFF\"");
  ASSERT_NE(tables.GetDefaultAttributeList(L"Label"), nullptr);
  EXPECT_EQ(*tables.GetDefaultAttributeList(L"Label"), L"textcolor=\"#FFFFFFFF\"");
  EXPECT_EQ(tables.GetDefaultAttributeList(L"label"), nullptr);  // exact names

  EXPECT_TRUE(tables.AddStyle(L"s", L"first"));
  EXPECT_FALSE(tables.AddStyle(L"s", L"second"));
  EXPECT_EQ(*tables.GetStyle(L"s"), L"first");

  EXPECT_TRUE(tables.AddStyle(L"t", L"shared", true));
  tables.AddDefaultAttributeList(L"Button", L"shared list", true);
  CResourceTables otherWindow(engine_, shared_);
  EXPECT_EQ(*otherWindow.GetStyle(L"t"), L"shared");
  EXPECT_EQ(*otherWindow.GetDefaultAttributeList(L"Button"), L"shared list");
  EXPECT_EQ(otherWindow.GetStyle(L"s"), nullptr);
}

}  // namespace
}  // namespace zui
