// Reference pictures of the leaf controls in their states, each taken from
// frames the headless host was given. Pictures with text name DejaVu Sans;
// the Windows build draws that text with GDI and has references of its own.

#include <gtest/gtest.h>

#include <string>

#include "leaf_window.h"
#include "tests/support/golden_image.h"
#include "ui/controls/button.h"
#include "ui/controls/progress.h"

namespace ztest {
namespace {

// Frames of one size laid side by side.
zui::Bitmap Strip(const std::vector<zui::Bitmap>& frames) {
  if (frames.empty()) return {};
  const int w = frames[0].width(), h = frames[0].height();
  zui::Bitmap strip(w * static_cast<int>(frames.size()), h);
  for (size_t i = 0; i < frames.size(); ++i)
    for (int y = 0; y < h; ++y)
      std::copy(frames[i].row(y), frames[i].row(y) + w, strip.row(y) + static_cast<int>(i) * w);
  return strip;
}

// A rounded-looking face: a frame of `edge` around `fill`.
uint32_t Face(int x, int y, int w, int h, uint32_t edge, uint32_t fill) {
  return x == 0 || y == 0 || x == w - 1 || y == h - 1 ? edge : fill;
}

class LeafGoldenTest : public LeafWindowTest {};

constexpr const wchar_t* kTextFont = L"<Font id=\"0\" name=\"DejaVu Sans\" size=\"12\" default=\"true\"/>";

// Text is drawn by the platform's engine (FreeType here, GDI on Windows), so
// a picture with text has one reference per engine.
std::string TextPicture(const std::string& name) {
#ifdef _WIN32
  return name + "_gdi";
#else
  return name;
#endif
}

TEST_F(LeafGoldenTest, ButtonNormalHotPushedDisabled) {
  const uint32_t colours[4][2] = {
      {0xFF1E4E8C, 0xFF3A78C8}, {0xFF2A64B0, 0xFF64A0E8}, {0xFF143864, 0xFF24548C}, {0xFF707070, 0xFFB0B0B0}};
  const char* names[4] = {"n", "h", "p", "d"};
  for (int i = 0; i < 4; ++i)
    WriteImage(names[i], 24, 12, [&, i](int x, int y) { return Face(x, y, 24, 12, colours[i][0], colours[i][1]); });
  Show(L"<Window size=\"72,32\">" + std::wstring(kTextFont) +
           L"<Container bkcolor=\"#FFF4F4F4\">"
           L"<Button name=\"b\" float=\"true\" pos=\"6,6,66,26\" text=\"OK\" textcolor=\"#FFFFFFFF\""
           L" disabledtextcolor=\"#FF505050\" normalimage=\"file='img\\n.png' corner='2,2,2,2'\""
           L" hotimage=\"file='img\\h.png' corner='2,2,2,2'\" pushedimage=\"file='img\\p.png' corner='2,2,2,2'\""
           L" disabledimage=\"file='img\\d.png' corner='2,2,2,2'\"/>"
           L"</Container></Window>",
       {72, 32});
  std::vector<zui::Bitmap> frames;
  frames.push_back(Pump());
  Host().MoveMouse(Handle(), {30, 15});
  frames.push_back(Pump());
  Host().PressLeft(Handle(), {30, 15});
  frames.push_back(Pump());
  Host().ReleaseLeft(Handle(), {30, 15});
  Find<zui::CButtonUI>(L"b")->SetEnabled(false);
  frames.push_back(Pump());
  EXPECT_TRUE(MatchesGolden(Strip(frames), TextPicture("controls_button_states")));
}

TEST_F(LeafGoldenTest, ProgressAtZeroHalfAndFull) {
  WriteImage("track", 8, 8, [](int x, int y) { return Face(x, y, 8, 8, 0xFF909090, 0xFFE0E0E0); });
  WriteImage("bar", 100, 8, [](int x, int) { return 0xFF000000u | (0x20 + x) << 8 | (0xA0 - x); });
  std::wstring bars;
  for (int i = 0; i < 3; ++i) {
    const std::wstring top = std::to_wstring(6 + i * 14);
    bars += L"<Progress name=\"p" + std::to_wstring(i) + L"\" float=\"true\" pos=\"6," + top + L",106," +
            std::to_wstring(6 + i * 14 + 8) + L"\" bkimage=\"file='img\\track.png' corner='1,1,1,1'\"" +
            L" foreimage=\"img\\bar.png\" isstretchfore=\"false\" value=\"" + std::to_wstring(i * 50) + L"\"/>";
  }
  const zui::Bitmap* frame =
      Show(L"<Window size=\"112,48\"><Container bkcolor=\"#FFFFFFFF\">" + bars + L"</Container></Window>", {112, 48});
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(Find<zui::CProgressUI>(L"p1")->GetForeModifier(), L"dest='0,0,50,8' source='0,0,50,8'");
  EXPECT_TRUE(MatchesGolden(*frame, "controls_progress"));
}

TEST_F(LeafGoldenTest, LabelAndWrappedText) {
  const zui::Bitmap* frame =
      Show(L"<Window size=\"120,64\">" + std::wstring(kTextFont) +
               L"<Container bkcolor=\"#FFFFFFFF\">"
               L"<Label float=\"true\" pos=\"4,4,116,20\" bkcolor=\"#FFE8F0FF\" text=\"Label\" align=\"center\""
               L" textcolor=\"#FF202020\"/>"
               L"<Text float=\"true\" pos=\"4,24,116,60\" bkcolor=\"#FFFFF4E0\" text=\"Wrapped text in two lines\""
               L" align=\"center\" textcolor=\"#FF804000\"/>"
               L"</Container></Window>",
           {120, 64});
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(MatchesGolden(*frame, TextPicture("controls_label_text"), 8));
}

TEST_F(LeafGoldenTest, RingAtZeroAndThirtySixDegrees) {
  // A quarter arc made of dots, fading along the turn: the busy ring look.
  WriteImage("spin", 32, 32, [](int x, int y) {
    const int dx = 2 * x + 1 - 32, dy = 2 * y + 1 - 32;
    const int r2 = dx * dx + dy * dy;
    if (r2 < 20 * 20 || r2 > 30 * 30) return 0u;
    if (dy < 0 && dx >= 0) return 0xFF2060E0u;
    if (dy >= 0 && dx >= 0) return 0x802060E0u;
    return 0x202060E0u;
  });
  Show(L"<Window size=\"40,40\"><Container bkcolor=\"#FFFFFFFF\">"
       L"<Ring float=\"true\" pos=\"4,4,36,36\" bkimage=\"img\\spin.png\"/>"
       L"</Container></Window>",
       {40, 40});
  std::vector<zui::Bitmap> frames;
  frames.push_back(Pump());
  frames.push_back(Tick(100));
  EXPECT_TRUE(MatchesGolden(Strip(frames), "controls_ring"));
}

}  // namespace
}  // namespace ztest
