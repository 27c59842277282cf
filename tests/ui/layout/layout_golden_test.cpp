// Pictures of a scrolled column: its bar drawn by the fallback outline, and
// drawn with thumb, grip and track images from the resource folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resource_test_support.h"
#include "tests/support/golden_image.h"
#include "tests/support/skin_test_window.h"
#include "ui/layout/scroll_bar.h"
#include "ui/layout/vertical_layout.h"
#include "ui/window/skin_builder.h"

namespace zui {
namespace {

// Six 30-high bands of alternating colours: 180 to show in 100.
std::wstring Bands() {
  const wchar_t* colours[] = {L"#FFE04040", L"#FF40A040", L"#FF4060E0", L"#FFE0C040", L"#FF9040C0", L"#FF40C0C0"};
  std::wstring xml;
  for (const wchar_t* c : colours) xml += std::wstring(L"<Control height=\"30\" bkcolor=\"") + c + L"\"/>";
  return xml;
}

std::vector<uint8_t> Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = r;
    rgba[i + 1] = g;
    rgba[i + 2] = b;
    rgba[i + 3] = a;
  }
  return rgba;
}

class LayoutGoldenTest : public ztest::ResourceTest {
 protected:
  const Bitmap* ShowScrolled(const std::wstring& xml, int scroll) {
    CControlUI* root = CSkinBuilder().Create(xml, {}, nullptr, &window_.Manager());
    EXPECT_NE(root, nullptr);
    if (root == nullptr) return nullptr;
    EXPECT_TRUE(window_.Manager().AttachDialog(root));
    window_.ShowAndPaint();
    auto* column = dynamic_cast<CVerticalLayoutUI*>(window_.Manager().FindControl(L"column"));
    EXPECT_NE(column, nullptr);
    if (column == nullptr) return nullptr;
    column->SetScrollPos({0, scroll});
    window_.Host().PumpPending();
    EXPECT_EQ(column->GetScrollPos().cy, scroll);
    return window_.Host().Frame(window_.Handle());
  }

  ztest::SkinTestWindow window_{{100, 100}};
};

TEST_F(LayoutGoldenTest, BarWithoutImagesIsOutlined) {
  const Bitmap* frame = ShowScrolled(L"<Window size=\"100,100\">"
                                     L"<VerticalLayout name=\"column\" bkcolor=\"#FFFFFFFF\" vscrollbar=\"true\">" +
                                         Bands() + L"</VerticalLayout></Window>",
                                     25);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(ztest::MatchesGolden(*frame, "layout_scroll_outline"));
}

TEST_F(LayoutGoldenTest, BarWithThumbGripAndTrackImages) {
  CResourceSettings::Instance().SetResourcePath(Folder());
  ztest::WriteBytes(dir_ / "img" / "thumb.png", ztest::EncodePng(8, 8, Solid(8, 8, 90, 90, 90)));
  // The grip: a white 4 x 4 dot in a clear 8 x 8 square, centred on the thumb.
  std::vector<uint8_t> grip = Solid(8, 8, 0, 0, 0, 0);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) std::fill_n(grip.begin() + (y * 8 + x) * 4, 4, uint8_t{255});
  ztest::WriteBytes(dir_ / "img" / "grip.png", ztest::EncodePng(8, 8, grip));
  ztest::WriteBytes(dir_ / "img" / "track.png", ztest::EncodePng(2, 2, Solid(2, 2, 220, 220, 220)));
  const Bitmap* frame =
      ShowScrolled(L"<Window size=\"100,100\">"
                   L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot;"
                   L" showbutton2=&quot;false&quot; bknormalimage=&quot;img\\track.png&quot;"
                   L" thumbnormalimage=&quot;img\\thumb.png&quot; railnormalimage=&quot;img\\grip.png&quot;\"/>"
                   L"<VerticalLayout name=\"column\" bkcolor=\"#FFFFFFFF\" vscrollbar=\"true\">" +
                       Bands() + L"</VerticalLayout></Window>",
                   80);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(ztest::MatchesGolden(*frame, "layout_scroll_images"));
}

}  // namespace
}  // namespace zui
