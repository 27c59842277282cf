// The window pass: the attributes of a root Window element become the
// window's settings on its paint manager. The builder only reads the numbers;
// what each setting does is the manager's and the window's business.

#include <climits>
#include <cstdint>
#include <cwchar>

#include "ui/window/paint_manager.h"
#include "ui/window/skin_builder.h"
#include "ui/base/saturate.h"
#include "ui/base/wide_text.h"
#include "ui/render/value_format.h"

namespace zui {
namespace {

template <typename T>
T Clamp(int64_t value, int64_t low, int64_t high) {
  return static_cast<T>(value < low ? low : value > high ? high : value);
}

// Settings narrower than an int take the nearest value they can hold rather
// than a wrapped one (an opacity of 300 is opaque, not 44).
uint8_t ParseByte(std::wstring_view text) { return Clamp<uint8_t>(ParseIntValue(text), 0, 255); }
int8_t ParseSignedByte(int value) { return Clamp<int8_t>(value, -128, 127); }

uint32_t ParseColour(std::wstring_view text) {
  if (!text.empty() && text.front() == L'#') text.remove_prefix(1);
  return ParseHexValue(text);
}

// value x percent / 100, rounded half away from zero, kept inside an int.
int ScaleToDisplay(int value, int percent) {
  const int64_t product = int64_t{value} * percent;
  const int64_t magnitude = (product < 0 ? -product : product) + 50;
  return SaturateToInt(product < 0 ? -(magnitude / 100) : magnitude / 100);
}

using WindowSetter = void (*)(CPaintManagerUI& manager, std::wstring_view value);

struct WindowAttribute {
  const wchar_t* name;
  bool exactCase;
  WindowSetter apply;
};

// The window's own geometry follows the display scale like its size: a
// limit or a caption left at 100 % would clip or shrink the scaled window.
Size ScaledSize(const CPaintManagerUI& m, Size size) {
  if (!m.IsScalingOn()) return size;
  return {ScaleToDisplay(size.cx, m.DisplayScale()), ScaleToDisplay(size.cy, m.DisplayScale())};
}

Rect ScaledRect(const CPaintManagerUI& m, Rect r) {
  if (!m.IsScalingOn()) return r;
  const int p = m.DisplayScale();
  return {ScaleToDisplay(r.left, p), ScaleToDisplay(r.top, p), ScaleToDisplay(r.right, p), ScaleToDisplay(r.bottom, p)};
}

// The largest window extent the platform's 16-bit window metrics allow; a
// size beyond it (or below 0) is no window size at all and would only reach
// the window and its bitmaps as an overflow or an allocation of gigabytes.
constexpr int kMaxWindowExtent = 32767;

void SetSize(CPaintManagerUI& m, std::wstring_view v) {
  const Size size = ScaledSize(m, ParseSizeValue(v));
  m.SetInitSize({Clamp<int>(size.cx, 0, kMaxWindowExtent), Clamp<int>(size.cy, 0, kMaxWindowExtent)});
}

void SetShadowPosition(CPaintManagerUI& m, std::wstring_view v) {
  const Size offset = ParseSizeValue(v);
  m.GetShadow().offsetX = ParseSignedByte(offset.cx);
  m.GetShadow().offsetY = ParseSignedByte(offset.cy);
}

void SetLayeredImage(CPaintManagerUI& m, std::wstring_view v) {
  m.SetLayered(true);
  m.SetLayeredImage(v);
}

void SetHoverTime(CPaintManagerUI& m, std::wstring_view v) {
  m.SetHoverTime(static_cast<uint32_t>(Clamp<int>(ParseIntValue(v), 0, INT_MAX)));
}

constexpr WindowAttribute kWindowAttributes[] = {
    {L"size", false, SetSize},
    {L"sizebox", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetSizeBox(ScaledRect(m, ParseRectValue(v))); }},
    {L"caption", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetCaptionRect(ScaledRect(m, ParseRectValue(v))); }},
    {L"roundcorner", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetRoundCorner(ScaledSize(m, ParseSizeValue(v))); }},
    {L"mininfo", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetMinInfo(ScaledSize(m, ParseSizeValue(v))); }},
    {L"maxinfo", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetMaxInfo(ScaledSize(m, ParseSizeValue(v))); }},
    {L"showdirty", false, [](CPaintManagerUI& m, std::wstring_view v) { m.SetShowUpdateRect(ParseBoolValue(v)); }},
    {L"opacity", false, [](CPaintManagerUI& m, std::wstring_view v) { m.SetOpacity(ParseByte(v)); }},
    {L"alpha", false, [](CPaintManagerUI& m, std::wstring_view v) { m.SetOpacity(ParseByte(v)); }},
    {L"layeredopacity", true, [](CPaintManagerUI& m, std::wstring_view v) { m.SetLayeredOpacity(ParseByte(v)); }},
    {L"layered", true, [](CPaintManagerUI& m, std::wstring_view v) { m.SetLayered(ParseBoolValue(v)); }},
    {L"bktrans", true, [](CPaintManagerUI& m, std::wstring_view v) { m.SetLayered(ParseBoolValue(v)); }},
    {L"layeredimage", true, SetLayeredImage},
    {L"noactivate", true, [](CPaintManagerUI& m, std::wstring_view v) { m.SetNoActivate(ParseBoolValue(v)); }},
    {L"disabledfontcolor", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetDefaultColors().disabledText = ParseColour(v); }},
    {L"defaultfontcolor", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetDefaultColors().text = ParseColour(v); }},
    {L"linkfontcolor", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetDefaultColors().link = ParseColour(v); }},
    {L"linkhoverfontcolor", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetDefaultColors().linkHover = ParseColour(v); }},
    {L"selectedcolor", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetDefaultColors().selectedBk = ParseColour(v); }},
    {L"shadowsize", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().size = ParseSignedByte(ParseIntValue(v)); }},
    {L"shadowsharpness", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().sharpness = ParseByte(v); }},
    {L"shadowdarkness", false, [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().darkness = ParseByte(v); }},
    {L"shadowposition", false, SetShadowPosition},
    {L"shadowcolor", false, [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().color = ParseColour(v); }},
    {L"shadowcorner", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().imageCorner = ParseRectValue(v); }},
    {L"shadowrect", false, [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().extents = ParseRectValue(v); }},
    {L"shadowimage", false, [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().image = v; }},
    {L"showshadow", false, [](CPaintManagerUI& m, std::wstring_view v) { m.GetShadow().enabled = ParseBoolValue(v); }},
    {L"gdiplustext", false, [](CPaintManagerUI& m, std::wstring_view v) { m.SetUseGdiplusText(ParseBoolValue(v)); }},
    {L"textrenderinghint", false,
     [](CPaintManagerUI& m, std::wstring_view v) { m.SetGdiplusTextRenderingHint(ParseIntValue(v)); }},
    {L"tooltiphovertime", false, SetHoverTime},
};

const WindowAttribute* FindWindowAttribute(std::wstring_view name) {
  for (const WindowAttribute& attribute : kWindowAttributes) {
    if (attribute.exactCase ? name == attribute.name : EqualsIgnoreCase(name, attribute.name)) return &attribute;
  }
  return nullptr;
}

}  // namespace

void CSkinBuilder::ApplyWindowAttributes(CSkinMarkupNode root, CPaintManagerUI* manager) {
  const int count = root.GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    if (const WindowAttribute* attribute = FindWindowAttribute(root.GetAttributeName(i)))
      attribute->apply(*manager, root.GetAttributeValue(i));
  }
}

}  // namespace zui
