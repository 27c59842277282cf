#include <gtest/gtest.h>

#include "tests/ui/render/fake_resources.h"
#include "ui/render/skin_renderer.h"

namespace {

using zui::CSkinRenderer;
using zui::ImageDrawInfo;
using zui::Rect;

ImageDrawInfo Parse(std::wstring_view descriptor, std::wstring_view modifier = {},
                    zui::IRenderResources* resources = nullptr) {
  ImageDrawInfo info;
  CSkinRenderer::ParseImageDescriptor(info, descriptor, modifier, resources);
  return info;
}

TEST(ImageDescriptor, BareFileNameNamesTheFile) {
  const ImageDrawInfo info = Parse(L"img\\bk.png");
  EXPECT_EQ(info.imageName, L"img\\bk.png");
  EXPECT_EQ(info.drawString, L"img\\bk.png");
  EXPECT_EQ(info.dest, Rect{});
  EXPECT_EQ(info.fade, 255);
}

TEST(ImageDescriptor, ReadsEveryKey) {
  const ImageDrawInfo info =
      Parse(L"file='img\\checked.png' restype='PNG' dest='5,14,19,28' source='1,2,3,4' corner='6,0,6,0' "
            L"mask='#FFFF00FF' fade='128' hole='true' xtiled='TRUE' ytiled='true' hsl='true' nodpi='true' "
            L"size='14,15' padding='1,2,3,4' align='right vcenter' USESVGSRCSIZE='true'");
  EXPECT_EQ(info.imageName, L"img\\checked.png");
  EXPECT_EQ(info.resType, L"PNG");
  EXPECT_EQ(info.dest, (Rect{5, 14, 19, 28}));
  EXPECT_EQ(info.source, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(info.corner, (Rect{6, 0, 6, 0}));
  EXPECT_EQ(info.mask, 0xFFFF00FFu);
  EXPECT_EQ(info.fade, 128);
  EXPECT_TRUE(info.hole && info.xTiled && info.yTiled && info.hsl && info.noDpi && info.useSvgSrcSize);
  EXPECT_FALSE(info.useSvg);
  EXPECT_EQ(info.size, (zui::Size{14, 15}));
  EXPECT_EQ(info.padding, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(info.align, L"right vcenter");
}

TEST(ImageDescriptor, SeparatorRules) {
  // Two blanks between items are as good as one.
  EXPECT_EQ(Parse(L"file='a.png'  dest='1,2,3,4'").dest, (Rect{1, 2, 3, 4}));
  // A key straight after the closing quote ends the text.
  EXPECT_EQ(Parse(L"file='a.png'dest='1,2,3,4'").dest, Rect{});
  // A trailing blank is fine; an unterminated value stops quietly.
  EXPECT_EQ(Parse(L"file='a.png' ").imageName, L"a.png");
  EXPECT_EQ(Parse(L"file='a.png' dest='1,2").dest, Rect{});
  // Double quotes are not quotes.
  EXPECT_EQ(Parse(L"file=\"a.png\"").imageName, L"file=\"a.png\"");
  // Keys are case-sensitive; blanks around '=' are allowed.
  EXPECT_EQ(Parse(L"FILE='a.png'").imageName, L"FILE='a.png'");
  EXPECT_EQ(Parse(L"file = 'a.png'").imageName, L"a.png");
}

TEST(ImageDescriptor, EmptyValuesAreIgnoredAndFadeKeepsEightBits) {
  EXPECT_EQ(Parse(L"file='' fade=''").imageName, L"file='' fade=''");
  EXPECT_EQ(Parse(L"file='a.png' fade=''").fade, 255);
  EXPECT_EQ(Parse(L"file='a.png' fade='300'").fade, 300 & 0xFF);
}

TEST(ImageDescriptor, ModifierOverridesDescriptor) {
  const ImageDrawInfo info = Parse(L"file='a.png' dest='1,1,5,5' fade='10'", L"dest='2,2,6,6'");
  EXPECT_EQ(info.imageName, L"a.png");
  EXPECT_EQ(info.dest, (Rect{2, 2, 6, 6}));
  EXPECT_EQ(info.fade, 10);
  EXPECT_EQ(info.modifyString, L"dest='2,2,6,6'");
}

TEST(ImageDescriptor, SvgByNameOrKey) {
  EXPECT_TRUE(Parse(L"img\\logo.svg").useSvg);
  EXPECT_TRUE(Parse(L"file='logo.png' usesvg='true'").useSvg);
  EXPECT_FALSE(Parse(L"img\\logo.SVG").useSvg);
}

TEST(ImageDescriptor, DisplayScaleScalesRectanglesAndNamesTheScaledFile) {
  ztest::FakeResources resources;
  resources.scale = 150;
  const ImageDrawInfo info = Parse(L"file='img\\checked.png' dest='5,14,19,28' source='0,0,14,14'", {}, &resources);
  EXPECT_EQ(info.imageName, L"img\\checked@150.png");
  EXPECT_EQ(info.dest, (Rect{8, 21, 29, 42}));
  EXPECT_EQ(info.source, (Rect{0, 0, 21, 21}));

  // nodpi keeps the name and the source in image pixels.
  const ImageDrawInfo raw = Parse(L"file='a.png' source='0,0,14,14' nodpi='true'", {}, &resources);
  EXPECT_EQ(raw.imageName, L"a.png");
  EXPECT_EQ(raw.source, (Rect{0, 0, 14, 14}));
  // SVG images are rendered at scale, so their name stays.
  EXPECT_EQ(Parse(L"file='a.svg'", {}, &resources).imageName, L"a.svg");

  resources.scale = 100;
  EXPECT_EQ(Parse(L"file='a.png'", {}, &resources).imageName, L"a.png");
}

TEST(DescriptorCache, ParsesOncePerTextPair) {
  ztest::FakeResources resources;
  zui::ImageDescriptorCache& cache = resources.DescriptorCache();
  EXPECT_EQ(cache.Get(L"", L"", &resources), nullptr);
  const ImageDrawInfo* first = cache.Get(L"file='a.png'", L"", &resources);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(cache.Get(L"file='a.png'", L"", &resources), first);
  // Same concatenation, different pair: a different record.
  const ImageDrawInfo* split = cache.Get(L"a.png", L"x", &resources);
  const ImageDrawInfo* joined = cache.Get(L"a.pngx", L"", &resources);
  EXPECT_NE(split, joined);
  EXPECT_EQ(split->imageName, L"a.png");
  EXPECT_EQ(joined->imageName, L"a.pngx");
  EXPECT_EQ(cache.size(), 3u);
}

}  // namespace
