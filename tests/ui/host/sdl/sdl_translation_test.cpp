// The SDL backend's translations that need no display: keys, text, mouse
// details, hit-test answers, window shapes, message boxes and icon pixels.

#include <gtest/gtest.h>

#include <SDL_keyboard.h>
#include <SDL_keycode.h>
#include <SDL_mouse.h>

#include "ui/base/messages.h"
#include "ui/host/icon_resources.h"
#include "ui/host/sdl/sdl_events.h"
#include "ui/host/sdl/sdl_keys.h"
#include "ui/host/sdl/sdl_message_box.h"
#include "ui/host/sdl/sdl_pixels.h"
#include "ui/host/sdl/sdl_shape.h"

namespace zui::sdl {
namespace {

TEST(SdlKeys, LettersDigitsAndNamedKeysBecomeTheirVirtualKeys) {
  EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_z, SDL_SCANCODE_Z), 'Z');
  EXPECT_EQ(VirtualKeyOf(SDLK_0, SDL_SCANCODE_0), '0');
  EXPECT_EQ(VirtualKeyOf(SDLK_9, SDL_SCANCODE_9), '9');
  EXPECT_EQ(VirtualKeyOf(SDLK_F1, SDL_SCANCODE_F1), 0x70);
  EXPECT_EQ(VirtualKeyOf(SDLK_F4, SDL_SCANCODE_F4), VK_F4);
  EXPECT_EQ(VirtualKeyOf(SDLK_F10, SDL_SCANCODE_F10), VK_F10);
  EXPECT_EQ(VirtualKeyOf(SDLK_F12, SDL_SCANCODE_F12), 0x7B);
  EXPECT_EQ(VirtualKeyOf(SDLK_F13, SDL_SCANCODE_F13), 0x7C);
  const std::pair<SDL_Scancode, int> named[] = {
      {SDL_SCANCODE_RETURN, VK_RETURN}, {SDL_SCANCODE_KP_ENTER, VK_RETURN}, {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
      {SDL_SCANCODE_TAB, VK_TAB},       {SDL_SCANCODE_BACKSPACE, VK_BACK},  {SDL_SCANCODE_DELETE, VK_DELETE},
      {SDL_SCANCODE_HOME, VK_HOME},     {SDL_SCANCODE_END, VK_END},         {SDL_SCANCODE_PAGEUP, VK_PRIOR},
      {SDL_SCANCODE_PAGEDOWN, VK_NEXT}, {SDL_SCANCODE_LEFT, VK_LEFT},       {SDL_SCANCODE_RIGHT, VK_RIGHT},
      {SDL_SCANCODE_UP, VK_UP},         {SDL_SCANCODE_DOWN, VK_DOWN},       {SDL_SCANCODE_LSHIFT, VK_SHIFT},
      {SDL_SCANCODE_RSHIFT, VK_SHIFT},  {SDL_SCANCODE_LCTRL, VK_CONTROL},   {SDL_SCANCODE_RCTRL, VK_CONTROL},
      {SDL_SCANCODE_LALT, VK_MENU},     {SDL_SCANCODE_RALT, VK_MENU},       {SDL_SCANCODE_SPACE, VK_SPACE},
      {SDL_SCANCODE_KP_0, 0x60},        {SDL_SCANCODE_KP_9, 0x69},          {SDL_SCANCODE_MINUS, 0xBD},
  };
  for (const auto& [scancode, vk] : named) {
    EXPECT_EQ(VirtualKeyOf(SDL_SCANCODE_TO_KEYCODE(scancode), scancode), vk) << SDL_GetScancodeName(scancode);
  }
  EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(SdlKeys, LettersFollowTheLayoutAndOtherScriptsTheirPosition) {
  // AZERTY: the key at QWERTY's Q types 'a' and is VK 'A'.
  EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_Q), 'A');
  // A Cyrillic layout types U+0444 at QWERTY's A: the position names it.
  EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_1), '1');
}

TEST(SdlKeys, TextTypedWithCommandModifiersIsNotText) {
  EXPECT_TRUE(ModifiersAllowText(KMOD_NONE));
  EXPECT_TRUE(ModifiersAllowText(KMOD_LSHIFT | KMOD_CAPS | KMOD_NUM));
  EXPECT_FALSE(ModifiersAllowText(KMOD_LALT));
  EXPECT_FALSE(ModifiersAllowText(KMOD_LCTRL));
  EXPECT_FALSE(ModifiersAllowText(KMOD_RCTRL | KMOD_LSHIFT));
  // AltGr types characters (on Windows it arrives as Ctrl+Alt).
  EXPECT_TRUE(ModifiersAllowText(KMOD_RALT));
  EXPECT_TRUE(ModifiersAllowText(KMOD_MODE));
  EXPECT_TRUE(ModifiersAllowText(KMOD_LCTRL | KMOD_RALT));
}

TEST(SdlKeys, TypedUtf8BecomesUtf16Units) {
  EXPECT_EQ(Utf16UnitsOf("Hi 5"), L"Hi 5");
  // 修 (U+4FEE) is one unit; 😀 (U+1F600) is the surrogates D83D DE00.
  const std::wstring units = Utf16UnitsOf("\xE4\xBF\xAE\xF0\x9F\x98\x80");
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(static_cast<uint32_t>(units[0]), 0x4FEEu);
  EXPECT_EQ(static_cast<uint32_t>(units[1]), 0xD83Du);
  EXPECT_EQ(static_cast<uint32_t>(units[2]), 0xDE00u);
  // A broken sequence is one replacement character, not lost or garbled input.
  const std::wstring broken = Utf16UnitsOf("a\xC3");
  ASSERT_EQ(broken.size(), 2u);
  EXPECT_EQ(static_cast<uint32_t>(broken[1]), 0xFFFDu);
  EXPECT_TRUE(Utf16UnitsOf("").empty());
}

TEST(SdlEvents, HitTestAnswersMapToSdlAreas) {
  EXPECT_EQ(HitTestResultOf(HTCAPTION), SDL_HITTEST_DRAGGABLE);
  EXPECT_EQ(HitTestResultOf(HTCLIENT), SDL_HITTEST_NORMAL);
  EXPECT_EQ(HitTestResultOf(HTNOWHERE), SDL_HITTEST_NORMAL);
  EXPECT_EQ(HitTestResultOf(HTTRANSPARENT), SDL_HITTEST_NORMAL);
  EXPECT_EQ(HitTestResultOf(HTLEFT), SDL_HITTEST_RESIZE_LEFT);
  EXPECT_EQ(HitTestResultOf(HTRIGHT), SDL_HITTEST_RESIZE_RIGHT);
  EXPECT_EQ(HitTestResultOf(HTTOP), SDL_HITTEST_RESIZE_TOP);
  EXPECT_EQ(HitTestResultOf(HTTOPLEFT), SDL_HITTEST_RESIZE_TOPLEFT);
  EXPECT_EQ(HitTestResultOf(HTTOPRIGHT), SDL_HITTEST_RESIZE_TOPRIGHT);
  EXPECT_EQ(HitTestResultOf(HTBOTTOM), SDL_HITTEST_RESIZE_BOTTOM);
  EXPECT_EQ(HitTestResultOf(HTBOTTOMLEFT), SDL_HITTEST_RESIZE_BOTTOMLEFT);
  EXPECT_EQ(HitTestResultOf(HTBOTTOMRIGHT), SDL_HITTEST_RESIZE_BOTTOMRIGHT);
}

TEST(SdlEvents, ButtonsClicksAndWheel) {
  EXPECT_EQ(VirtualButtonOf(SDL_BUTTON_LEFT), VK_LBUTTON);
  EXPECT_EQ(VirtualButtonOf(SDL_BUTTON_RIGHT), VK_RBUTTON);
  EXPECT_EQ(VirtualButtonOf(SDL_BUTTON_MIDDLE), VK_MBUTTON);
  EXPECT_EQ(VirtualButtonOf(SDL_BUTTON_X1), 0);
  EXPECT_FALSE(IsDoubleClick(1));
  EXPECT_TRUE(IsDoubleClick(2));
  EXPECT_FALSE(IsDoubleClick(3));
  EXPECT_TRUE(IsDoubleClick(4));
  EXPECT_EQ(WheelDeltaOf(1, false), WHEEL_DELTA);
  EXPECT_EQ(WheelDeltaOf(-2, false), -2 * WHEEL_DELTA);
  EXPECT_EQ(WheelDeltaOf(1, true), -WHEEL_DELTA);
  // A driver's absurd count saturates instead of wrapping round.
  EXPECT_EQ(WheelDeltaOf(INT32_MAX, false), INT32_MAX);
  EXPECT_EQ(WheelDeltaOf(INT32_MIN, false), INT32_MIN);
}

// Pixels a set of bands covers, as a w×h mask.
std::vector<bool> Coverage(const std::vector<Rect>& bands, int w, int h) {
  std::vector<bool> mask(static_cast<size_t>(w) * h, false);
  for (const Rect& b : bands) {
    for (int y = std::max(b.top, 0); y < std::min(b.bottom, h); ++y) {
      for (int x = std::max(b.left, 0); x < std::min(b.right, w); ++x) mask[static_cast<size_t>(y) * w + x] = true;
    }
  }
  return mask;
}

TEST(SdlShape, RoundRegionCoversTheWindowButItsCorners) {
  // The window base asks for (0, 0, w + 1, h + 1) to cover a w×h window.
  const int w = 60, h = 40;
  const std::vector<Rect> bands = RoundRegionBands({0, 0, w + 1, h + 1}, {12, 12});
  const std::vector<bool> mask = Coverage(bands, w + 2, h + 2);
  auto at = [&](int x, int y) { return static_cast<bool>(mask[static_cast<size_t>(y) * (w + 2) + x]); };
  // Middle and edge centres are in, corners out, nothing beyond w×h.
  EXPECT_TRUE(at(30, 20));
  EXPECT_TRUE(at(0, 20));
  EXPECT_TRUE(at(w - 1, 20));
  EXPECT_TRUE(at(30, 0));
  EXPECT_TRUE(at(30, h - 1));
  EXPECT_FALSE(at(0, 0));
  EXPECT_FALSE(at(w - 1, 0));
  EXPECT_FALSE(at(0, h - 1));
  EXPECT_FALSE(at(w - 1, h - 1));
  EXPECT_FALSE(at(w, 20));
  EXPECT_FALSE(at(30, h));
  // Symmetric: the left and right cuts of every row are equal, and the
  // bottom rows mirror the top ones.
  for (int y = 0; y < h; ++y) {
    int left = 0;
    while (left < w && !at(left, y)) ++left;
    int right = 0;
    while (right < w && !at(w - 1 - right, y)) ++right;
    EXPECT_EQ(left, right) << "row " << y;
    int mirrored = 0;
    while (mirrored < w && !at(mirrored, h - 1 - y)) ++mirrored;
    EXPECT_EQ(left, mirrored) << "row " << y;
  }
  // Bands run top to bottom without overlapping, so X can take them banded.
  for (size_t i = 1; i < bands.size(); ++i) EXPECT_GE(bands[i].top, bands[i - 1].bottom);
}

TEST(SdlShape, DegenerateRegions) {
  // No corners: one rectangle of the window's size.
  EXPECT_EQ(RoundRegionBands({0, 0, 11, 6}, {0, 0}), (std::vector<Rect>{{0, 0, 10, 5}}));
  EXPECT_EQ(RoundRegionBands({0, 0, 11, 6}, {1, 9}), (std::vector<Rect>{{0, 0, 10, 5}}));
  // An empty rectangle shows nothing, as an empty region does.
  EXPECT_TRUE(RoundRegionBands({0, 0, 1, 1}, {4, 4}).empty());
  EXPECT_TRUE(RoundRegionBands({5, 5, 2, 9}, {4, 4}).empty());
  // Corners larger than the window are clamped to an ellipse that fits.
  const std::vector<Rect> oval = RoundRegionBands({0, 0, 21, 11}, {1000, 1000});
  ASSERT_FALSE(oval.empty());
  for (const Rect& b : oval) {
    EXPECT_GE(b.left, 0);
    EXPECT_LE(b.right, 20);
    EXPECT_LE(b.bottom, 10);
  }
  // Extreme numbers from a skin neither overflow nor hang.
  EXPECT_EQ(RoundRegionBands({INT32_MIN, 0, INT32_MIN + 1, 3}, {2, 2}).size(), 0u);
}

TEST(SdlMessageBox, FlagsChooseButtonsDefaultAndAnswers) {
  MessageBoxLayout ok = MessageBoxLayoutOf(MB_OK | MB_ICONERROR);
  ASSERT_EQ(ok.buttons.size(), 1u);
  EXPECT_EQ(ok.buttons[0].id, IDOK);
  EXPECT_TRUE(ok.buttons[0].returnKey);
  EXPECT_TRUE(ok.buttons[0].escapeKey);
  EXPECT_EQ(ok.closeAnswer, IDOK);
  EXPECT_EQ(ok.icon, MessageBoxLayout::Icon::kError);

  MessageBoxLayout okCancel = MessageBoxLayoutOf(MB_OKCANCEL | MB_ICONWARNING);
  ASSERT_EQ(okCancel.buttons.size(), 2u);
  EXPECT_EQ(okCancel.buttons[0].id, IDOK);
  EXPECT_EQ(okCancel.buttons[1].id, IDCANCEL);
  EXPECT_TRUE(okCancel.buttons[0].returnKey);
  EXPECT_TRUE(okCancel.buttons[1].escapeKey);
  EXPECT_FALSE(okCancel.buttons[0].escapeKey);
  EXPECT_EQ(okCancel.closeAnswer, IDCANCEL);
  EXPECT_EQ(okCancel.icon, MessageBoxLayout::Icon::kWarning);

  // MB_YESNO | MB_DEFBUTTON2: No is the default; Escape answers nothing,
  // a close from outside answers No.
  MessageBoxLayout yesNo = MessageBoxLayoutOf(MB_YESNO | MB_ICONQUESTION | 0x100);
  ASSERT_EQ(yesNo.buttons.size(), 2u);
  EXPECT_EQ(yesNo.buttons[0].id, IDYES);
  EXPECT_EQ(yesNo.buttons[1].id, IDNO);
  EXPECT_FALSE(yesNo.buttons[0].returnKey);
  EXPECT_TRUE(yesNo.buttons[1].returnKey);
  EXPECT_FALSE(yesNo.buttons[0].escapeKey || yesNo.buttons[1].escapeKey);
  EXPECT_EQ(yesNo.closeAnswer, IDNO);
  EXPECT_EQ(yesNo.icon, MessageBoxLayout::Icon::kInformation);

  // MB_YESNOCANCEL with a default button beyond the buttons: the first.
  MessageBoxLayout three = MessageBoxLayoutOf(3 | 0x300);
  ASSERT_EQ(three.buttons.size(), 3u);
  EXPECT_TRUE(three.buttons[0].returnKey);
  EXPECT_EQ(three.closeAnswer, IDCANCEL);
  // An unknown type is a plain OK box.
  EXPECT_EQ(MessageBoxLayoutOf(0xF).buttons.size(), 1u);
}

TEST(SdlPixels, UploadAreaStaysInsideFrameAndSurface) {
  EXPECT_EQ(UploadArea({10, 10, 50, 50}, {100, 100}, {100, 100}), (Rect{10, 10, 50, 50}));
  EXPECT_EQ(UploadArea({-5, -5, 500, 500}, {100, 80}, {90, 100}), (Rect{0, 0, 90, 80}));
  EXPECT_TRUE(UploadArea({200, 200, 300, 300}, {100, 100}, {100, 100}).IsEmpty());
  EXPECT_TRUE(UploadArea({0, 0, 10, 10}, {0, 0}, {100, 100}).IsEmpty());
}

TEST(SdlPixels, IconsLoseTheirPremultiplication) {
  Bitmap icon(3, 1);
  icon.at(0, 0) = 0xFF102030;  // opaque: unchanged
  icon.at(1, 0) = 0x80400000;  // half-transparent red 0x40 → 0x80
  icon.at(2, 0) = 0x00FFFFFF;  // transparent with junk colour → 0
  const std::vector<uint32_t> straight = StraightAlphaPixels(icon);
  ASSERT_EQ(straight.size(), 3u);
  EXPECT_EQ(straight[0], 0xFF102030u);
  EXPECT_EQ(straight[1], 0x80800000u);
  EXPECT_EQ(straight[2], 0u);
  // A colour above its alpha (not premultiplied at all) saturates.
  Bitmap bad(1, 1, 0x10FF0000);
  EXPECT_EQ(StraightAlphaPixels(bad)[0], 0x10FF0000u);
  EXPECT_TRUE(StraightAlphaPixels(Bitmap()).empty());
}

TEST(IconResources, RegisterFindReplaceAndRemove) {
  EXPECT_FALSE(FindIconResource(4711).has_value());
  RegisterIconResource(4711, Bitmap(2, 2, 0xFF00FF00));
  std::optional<Bitmap> found = FindIconResource(4711);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->width(), 2);
  EXPECT_EQ(found->at(1, 1), 0xFF00FF00u);
  RegisterIconResource(4711, Bitmap(4, 1, 0xFFFF0000));
  EXPECT_EQ(FindIconResource(4711)->width(), 4);
  RegisterIconResource(4711, Bitmap());
  EXPECT_FALSE(FindIconResource(4711).has_value());
}

}  // namespace
}  // namespace zui::sdl
