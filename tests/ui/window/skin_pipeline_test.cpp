// Skin text to presented pixels: the builder fills a manager bound to a
// headless window, the tree is attached, the window is shown and painted,
// and the frame the host received is compared with a reference picture.

#include <gtest/gtest.h>

#include <string>

#include "tests/support/skin_test_window.h"
#include "resource_test_support.h"
#include "tests/support/golden_image.h"
#include "ui/controls/control.h"
#include "ui/window/skin_builder.h"

namespace {

class SkinPipelineTest : public ztest::ResourceTest {
 protected:
  // Builds, attaches, shows and paints; the presented frame.
  const zui::Bitmap* Show(const std::wstring& xml) {
    zui::CSkinBuilder builder;
    zui::CControlUI* root = builder.Create(xml, {}, nullptr, &window_.Manager());
    EXPECT_NE(root, nullptr);
    if (root == nullptr) return nullptr;
    EXPECT_TRUE(window_.Manager().AttachDialog(root));
    return window_.ShowAndPaint();
  }

  ztest::SkinTestWindow window_{{50, 50}};
};

TEST_F(SkinPipelineTest, FloatingShapesGradientsAndBorders) {
  const zui::Bitmap* frame =
      Show(L"<Window size=\"160,100\">"
           L"<Default name=\"Control\" value=\"float=&quot;true&quot; bordercolor=&quot;#FF000000&quot;\"/>"
           L"<Style name=\"round\" value=\"borderround=&quot;12,12&quot; bordersize=&quot;3&quot;\"/>"
           L"<Container name=\"root\" bkcolor=\"#FFF0F0F0\">"
           L"<Control name=\"solid\" pos=\"10,10,70,50\" bkcolor=\"#FF2060C0\" bordersize=\"2\"/>"
           L"<Control pos=\"80,10,150,50\" bkcolor=\"#FFFF0000\" bkcolor2=\"#FF0000FF\" gradient=\"hor\"/>"
           L"<Control pos=\"10,60,70,95\" bkcolor=\"#FF00C000\" bkcolor2=\"#FFFFFF00\" bkcolor3=\"#FFFF00FF\""
           L" bottombordersize=\"2\" leftbordersize=\"1\"/>"
           L"<Control pos=\"80,60,150,95\" style=\"round\" bkcolor=\"#FFFFFFFF\" bordercolor=\"#FF804000\"/>"
           L"<Control pos=\"120,30,140,80\" bkcolor=\"#8000FF00\" bordercolor=\"#00000000\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->width(), 160);
  ASSERT_EQ(frame->height(), 100);
  EXPECT_NE(window_.Manager().FindControl(L"solid"), nullptr);
  EXPECT_EQ(window_.Manager().FindControl(zui::Point{40, 30}), window_.Manager().FindControl(L"solid"));
  EXPECT_TRUE(ztest::MatchesGolden(*frame, "builder_pipeline_shapes"));
}

TEST_F(SkinPipelineTest, BackgroundImagesFromTheResourceFolder) {
  // 4 x 4: a red, green, blue and half-transparent white quadrant each 2 x 2.
  std::vector<uint8_t> rgba;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const int quadrant = (y / 2) * 2 + x / 2;
      const uint8_t pixels[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 128}};
      rgba.insert(rgba.end(), pixels[quadrant], pixels[quadrant] + 4);
    }
  }
  zui::CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "img" / "quad.png", ztest::EncodePng(4, 4, rgba));

  const zui::Bitmap* frame =
      Show(L"<Window size=\"120,80\"><Image name=\"img\\quad.png\"/>"
           L"<Container bkcolor=\"#FF303030\">"
           L"<Container float=\"true\" pos=\"4,4,56,76\" bkimage=\"img\\quad.png\"/>"
           L"<Control float=\"true\" pos=\"64,4,116,40\" bkimage=\"file='img\\quad.png' corner='1,1,1,1'\""
           L" bordercolor=\"#FFFFFFFF\" bordersize=\"1\"/>"
           L"<Control float=\"true\" pos=\"64,44,116,76\" bkcolor=\"#FF000080\""
           L" bkimage=\"file='img\\quad.png' source='2,2,4,4' dest='4,4,28,28'\"/>"
           L"</Container></Window>");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->width(), 120);
  EXPECT_NE(window_.Manager().Resources().GetImage(L"img\\quad.png"), nullptr);
  EXPECT_TRUE(ztest::MatchesGolden(*frame, "builder_pipeline_images"));
}

}  // namespace
