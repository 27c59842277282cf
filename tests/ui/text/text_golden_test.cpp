// Reference pictures of the FreeType engine. The faces are named explicitly
// (WenQuanYi Micro Hei for Chinese, DejaVu Sans for Latin, both installed by
// scripts/setup-deps) and the test checks which files served them, so a
// picture that changes points at the fonts or FreeType, not at chance.
// Regenerate with ZAVIZ_UPDATE_GOLDENS=1 (see tests/support/golden_image.h).

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/golden_image.h"
#include "ui/text/freetype/freetype_font.h"
#include "ui/text/freetype/freetype_text_engine.h"
#include "ui/text/text_format.h"

namespace zui {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kDark = 0xFF212121;
constexpr uint32_t kBlue = 0xFF00BBF3;

class TextGoldenTest : public ::testing::Test {
 protected:
  ITextFont& Font(const std::wstring& face, int size, bool bold = false, bool underline = false, bool italic = false) {
    fonts_.push_back(engine_.CreateFont({face, size, bold, underline, italic}));
    auto* font = dynamic_cast<FreeTypeFont*>(fonts_.back().get());
    EXPECT_NE(font, nullptr);
    const std::string expected = face == L"DejaVu Sans" ? "DejaVuSans" : "wqy-microhei.ttc";
    EXPECT_NE(font->FilePath().find(expected), std::string::npos) << font->FilePath();
    return *font;
  }

  void Draw(Bitmap& bitmap, ITextFont& font, const std::wstring& text, Rect rect, uint32_t colour, unsigned format) {
    engine_.DrawText(&bitmap, {0, 0, bitmap.width(), bitmap.height()}, font, text, rect, colour, format);
  }

  FreeTypeTextEngine engine_;
  std::vector<std::unique_ptr<ITextFont>> fonts_;
};

TEST_F(TextGoldenTest, Chinese) {
  Bitmap bitmap(240, 150, kWhite);
  ITextFont& title = Font(L"WenQuanYi Micro Hei", 14);
  ITextFont& small = Font(L"WenQuanYi Micro Hei", 12);
  ITextFont& bold = Font(L"WenQuanYi Micro Hei", 14, true);
  Draw(bitmap, title, L"Vombel修复工具", {4, 2, 236, 20}, kDark, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  Draw(bitmap, bold, L"修复成功", {4, 22, 236, 42}, kBlue, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  // The repair page's long message, wrapped between ideographs and centred.
  Draw(bitmap, small, L"请检查Vombel的指示灯是否是红色或蓝色如果为其他颜色，请尝试重新修复", {4, 46, 236, 96}, kDark,
       DT_WORDBREAK | DT_CENTER);
  Draw(bitmap, small, L"修复过程中本机可能无法正常上网，修复完成后恢复", {4, 100, 160, 120}, 0xFFBDBDBD,
       DT_SINGLELINE | DT_END_ELLIPSIS);
  Draw(bitmap, title, L"【Reset】", {4, 124, 236, 148}, kBlue, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
  EXPECT_TRUE(ztest::MatchesGolden(bitmap, "text_chinese"));
}

TEST_F(TextGoldenTest, Latin) {
  Bitmap bitmap(220, 130, kWhite);
  ITextFont& regular = Font(L"DejaVu Sans", 13);
  Draw(bitmap, regular, L"Realtek PCIe GbE Family Controller #2", {4, 2, 150, 18}, kDark,
       DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  Draw(bitmap, Font(L"DejaVu Sans", 13, true), L"Bold 99%", {4, 20, 216, 36}, kDark, DT_SINGLELINE);
  Draw(bitmap, Font(L"DejaVu Sans", 13, false, false, true), L"Italic text", {4, 20, 216, 36}, kDark,
       DT_SINGLELINE | DT_RIGHT);
  Draw(bitmap, Font(L"DejaVu Sans", 13, false, true), L"Underlined", {4, 38, 216, 54}, kBlue, DT_SINGLELINE);
  Draw(bitmap, regular, L"&Retry && exit", {4, 38, 216, 54}, kDark, DT_SINGLELINE | DT_RIGHT);
  Draw(bitmap, regular, L"The quick brown fox jumps over the lazy dog", {4, 58, 150, 128}, kDark,
       DT_WORDBREAK | DT_RIGHT);
  EXPECT_TRUE(ztest::MatchesGolden(bitmap, "text_latin"));
}

// Text on a transparent surface, as a layered window paints it: the edges
// keep partial alpha and the colour stays premultiplied.
TEST_F(TextGoldenTest, OnTransparent) {
  Bitmap bitmap(120, 24, 0);
  Draw(bitmap, Font(L"WenQuanYi Micro Hei", 14), L"99% 正在下载", {0, 0, 120, 24}, 0xFFFFFFFF,
       DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  EXPECT_TRUE(ztest::MatchesGolden(bitmap, "text_transparent"));
}

}  // namespace
}  // namespace zui
